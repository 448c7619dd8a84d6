#include "clock/clock.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
class TimerAlarm : public Clock::Alarm {
public:
    TimerAlarm(std::chrono::milliseconds delay, QObject* context, std::function<void()> ring)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, context, std::move(ring));
        m_timer.start(delay);
    }

private:
    QTimer m_timer;
};

class SteadyClock : public Clock {
public:
    SteadyClock() { m_clock.start(); }

    qint64 nowNs() override { return m_clock.nsecsElapsed(); }

    void processEventsUntil(qint64 deadlineNs) override
    {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        // A nested loop can be left early (for example by QEventLoop::exit from
        // a handler that ran inside the wait), so look at the clock again after
        // each return.
        for (qint64 left = deadlineNs - nowNs(); left > 0; left = deadlineNs - nowNs()) {
            timer.start(static_cast<int>((left + 999999) / 1000000));
            loop.exec();
        }
    }

    std::unique_ptr<Alarm> alarmAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> ring) override
    {
        return std::make_unique<TimerAlarm>(delay, context, std::move(ring));
    }

private:
    QElapsedTimer m_clock;
};

Clock*& installed()
{
    static Clock* clock = nullptr;
    return clock;
}
} // namespace

Clock& Clock::current()
{
    static SteadyClock steady;
    return installed() ? *installed() : steady;
}

QDateTime Clock::utcNow()
{
    return QDateTime::currentDateTimeUtc();
}

void Clock::install(Clock* clock)
{
    installed() = clock;
}

void WaitSeconds(double seconds)
{
    Clock& clock = Clock::current();
    clock.processEventsUntil(clock.nowNs() + static_cast<qint64>(seconds * 1e9));
}
