#include "ui/selectonfocus.h"

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
            // Only focus the operator moves (Tab, Shift+Tab, an access key, the
            // program's own first focus) selects. A mouse press selects by its
            // click; and focus that merely comes back with the window, or after
            // a menu or popup closes, must not act again (it could send "PS0;"
            // unasked).
            const bool moved = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                               || reason == Qt::ShortcutFocusReason
                               || reason == Qt::OtherFocusReason;
            if (moved && !button->isChecked())
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
