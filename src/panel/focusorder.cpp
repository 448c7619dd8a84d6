#include "panel/focusorder.h"

#include <QWidget>

QStringList panelFocusNames()
{
    QStringList names;
    for (const FocusStep& step : panelFocusOrder) {
        const QString name = QString::fromLatin1(step.name);
        if (step.first == 0) {
            names.append(name);
            continue;
        }
        for (int number = step.first; number <= step.last; ++number)
            names.append(name + QString::number(number));
    }
    return names;
}

void applyFocusOrder(QWidget* canvas)
{
    QWidget* previous = nullptr;
    for (const QString& name : panelFocusNames()) {
        auto* control = canvas->findChild<QWidget*>(name);
        Q_ASSERT_X(control, "applyFocusOrder", "a control in the focus order is missing");
        if (!control)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
