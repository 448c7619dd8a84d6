#include "panel/selectiongroup.h"

#include "panel/framedaccessible.h"
#include "panel/safenavigation.h"
#include "ui/selectonfocus.h"

#include <QAccessibleWidget>
#include <QPushButton>

namespace {
// The column buttons are push buttons that stay pressed while marked, in one
// exclusive group with the hundred memory radio buttons: a screen reader
// must hear radio buttons, checked or not, that a press selects.
class SelectionPushButtonAccessible : public FramedAccessible {
public:
    explicit SelectionPushButtonAccessible(QAbstractButton* button)
        : FramedAccessible(button, QAccessible::RadioButton)
    {}
};

QAccessibleInterface* selectionPushButtons(const QString&, QObject* object)
{
    auto* button = qobject_cast<QPushButton*>(object);
    if (button && button->isCheckable() && button->group() && button->group()->exclusive())
        return new SelectionPushButtonAccessible(button);
    return nullptr;
}
} // namespace

SelectionGroup::SelectionGroup(QObject* parent) : QObject(parent), m_group(this)
{
    m_group.setExclusive(true);
    static const bool installed = [] {
        QAccessible::installFactory(selectionPushButtons);
        return true;
    }();
    Q_UNUSED(installed);
}

void SelectionGroup::add(QAbstractButton* button, std::function<void()> act)
{
    button->setCheckable(true);
    m_group.addButton(button);
    // An interface made while the button was being created (assistive
    // technology asks at once) took it for a plain push button.
    if (qobject_cast<QPushButton*>(button)) {
        if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(button))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
    }
    selectOnFocus(button, [] { return !SafeNavigation::instance().active(); });
    connect(button, &QAbstractButton::pressed, this,
            [this, button] { m_pressedWhileMarked = button->isChecked() ? button : nullptr; });
    connect(button, &QAbstractButton::toggled, this, [act](bool marked) {
        if (marked)
            act();
    });
    connect(button, &QAbstractButton::clicked, this, [this, button, act] {
        if (m_pressedWhileMarked != button)
            return;
        m_pressedWhileMarked = nullptr;
        act();
    });
}

bool safeNavigationKey(QAbstractButton* button, QKeyEvent* event,
                       const std::function<void()>& buttonsOwn)
{
    if (!SafeNavigation::instance().active() || event->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button->click();
        event->accept();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Qt's arrow keys click the next button of an exclusive group when
        // the one they leave is marked; without exclusivity they only move.
        if (QButtonGroup* group = button->group()) {
            group->setExclusive(false);
            buttonsOwn();
            group->setExclusive(true);
            return true;
        }
        return false;
    default:
        return false;
    }
}
