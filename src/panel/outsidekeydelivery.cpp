#include "panel/outsidekeydelivery.h"

#include <QAccessible>
#include <QTimer>

void runOutsideKeyDelivery(QObject* context, std::function<void()> action)
{
    if (QAccessible::isActive())
        QTimer::singleShot(0, context, std::move(action));
    else
        action();
}
