#include "panel/focusorder.h"

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
