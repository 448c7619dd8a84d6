#include "panel/switchbutton.h"

#include <QAbstractButton>
#include <QAccessibleWidget>

namespace {
const char* settingProperty = "quillardSwitchOn";

class SwitchAccessible : public QAccessibleWidget {
public:
    explicit SwitchAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::CheckBox)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<QAbstractButton*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = widget()->property(settingProperty).toBool();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            static_cast<QAbstractButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
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
