#include "radio/linkclock.h"

#include <QTimer>

namespace {
class TimerAlarm : public LinkClock::Alarm {
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

class QtTimerClock : public LinkClock {
public:
    std::unique_ptr<Alarm> alarmAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> ring) override
    {
        return std::make_unique<TimerAlarm>(delay, context, std::move(ring));
    }
};

LinkClock*& installed()
{
    static LinkClock* clock = nullptr;
    return clock;
}
} // namespace

LinkClock& LinkClock::current()
{
    static QtTimerClock timers;
    return installed() ? *installed() : timers;
}

void LinkClock::install(LinkClock* clock)
{
    installed() = clock;
}
