#include "panel/switchbutton.h"

#include "panel/framedaccessible.h"
#include <QAbstractButton>

#include <QAccessibleWidget>

namespace {
const char* settingProperty = "quillardSwitchOn";

class SwitchAccessible : public FramedAccessible {
public:
    explicit SwitchAccessible(QAbstractButton* button)
        : FramedAccessible(button, QAccessible::CheckBox)
    {}

    QAccessible::State state() const override
    {
        QAccessible::State state = FramedAccessible::state();
        state.checkable = true;
        state.checked = widget()->property(settingProperty).toBool();
        return state;
    }
};

QAccessibleInterface* switches(const QString&, QObject* object)
{
    auto* button = qobject_cast<QAbstractButton*>(object);
    if (button && button->property(settingProperty).isValid())
        return new SwitchAccessible(button);
    return nullptr;
}
} // namespace

void makeSwitch(QAbstractButton* button)
{
    static const bool installed = [] {
        QAccessible::installFactory(switches);
        return true;
    }();
    Q_UNUSED(installed);
    button->setProperty(settingProperty, false);
    // An interface made before the button became a switch took it for a plain button.
    if (QAccessibleInterface* early = QAccessible::queryAccessibleInterface(button))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(early));
}

void showSwitchSetting(QAbstractButton* button, bool on)
{
    if (button->property(settingProperty).toBool() == on)
        return;
    button->setProperty(settingProperty, on);
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}
