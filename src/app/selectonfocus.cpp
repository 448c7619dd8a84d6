#include "app/selectonfocus.h"

#include <QAbstractButton>
#include <QFocusEvent>

namespace {
class SelectOnFocusFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto* button = static_cast<QAbstractButton*>(watched);
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::MouseFocusReason && !button->isChecked())
                button->setChecked(true);
        }
        return false;
    }
};
} // namespace

void selectOnFocus(QAbstractButton* button)
{
    button->installEventFilter(new SelectOnFocusFilter(button));
}
