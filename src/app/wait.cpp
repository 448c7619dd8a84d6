#include "app/wait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

void WaitSeconds(double seconds)
{
    QElapsedTimer clock;
    clock.start();
    const qint64 totalNs = static_cast<qint64>(seconds * 1e9);
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // A nested loop can be left early (for example by QEventLoop::exit from a
    // handler that ran inside the wait), so look at the clock again after each return.
    for (qint64 left = totalNs - clock.nsecsElapsed(); left > 0;
         left = totalNs - clock.nsecsElapsed()) {
        timer.start(static_cast<int>((left + 999999) / 1000000));
        loop.exec();
    }
}
