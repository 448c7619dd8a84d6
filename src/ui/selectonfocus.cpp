#include "ui/selectonfocus.h"

#include <QAbstractButton>
#include <QFocusEvent>

namespace {
class SelectOnFocusFilter : public QObject {
public:
    SelectOnFocusFilter(QObject* parent, std::function<bool()> focusSelects)
        : QObject(parent), m_focusSelects(std::move(focusSelects))
    {}

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
            const bool moved = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                               reason == Qt::ShortcutFocusReason || reason == Qt::OtherFocusReason;
            if (moved && !button->isChecked() && (!m_focusSelects || m_focusSelects()))
                button->setChecked(true);
        }
        return false;
    }

private:
    std::function<bool()> m_focusSelects;
};
} // namespace

void selectOnFocus(QAbstractButton* button, std::function<bool()> focusSelects)
{
    button->installEventFilter(new SelectOnFocusFilter(button, std::move(focusSelects)));
}
