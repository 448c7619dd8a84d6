#include "clock/testclock.h"

#include <QCoreApplication>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

class TestClock::EntryAlarm : public Clock::Alarm {
public:
    explicit EntryAlarm(std::shared_ptr<Entry> entry) : m_entry(std::move(entry)) {}
    ~EntryAlarm() override { m_entry->cancelled = true; }

private:
    std::shared_ptr<Entry> m_entry;
};

TestClock::TestClock() : m_utcAtSetting(QDate(2000, 1, 1), QTime(0, 0), QTimeZone::utc())
{
    Clock::install(this);
}

TestClock::~TestClock()
{
    Clock::install(nullptr);
}

void TestClock::schedule(std::shared_ptr<Entry> entry)
{
    const auto later = std::upper_bound(
        m_scheduled.begin(), m_scheduled.end(), entry->atNs,
        [](qint64 atNs, const std::shared_ptr<Entry>& other) { return atNs < other->atNs; });
    m_scheduled.insert(later, std::move(entry));
}

void TestClock::at(double seconds, std::function<void()> action)
{
    auto entry = std::make_shared<Entry>();
    entry->atNs = std::llround(seconds * 1e9);
    entry->action = std::move(action);
    schedule(std::move(entry));
}

void TestClock::after(double seconds, std::function<void()> action)
{
    at(this->seconds() + seconds, std::move(action));
}

std::unique_ptr<Clock::Alarm> TestClock::alarmAfter(std::chrono::milliseconds delay,
                                                    QObject* context, std::function<void()> ring)
{
    auto entry = std::make_shared<Entry>();
    entry->atNs = m_nowNs + std::chrono::nanoseconds(delay).count();
    entry->action = std::move(ring);
    entry->isAlarm = true;
    entry->context = context;
    schedule(entry);
    return std::make_unique<EntryAlarm>(entry);
}

void TestClock::processEventsUntil(qint64 deadlineNs)
{
    QCoreApplication::processEvents();
    if (deadlineNs <= m_nowNs)
        return; // a wait that passes no time runs nothing that is due
    for (;;) {
        m_scheduled.removeIf([](const std::shared_ptr<Entry>& entry) { return entry->gone(); });
        if (m_scheduled.isEmpty() || m_scheduled.first()->atNs > deadlineNs)
            break;
        const std::shared_ptr<Entry> next = m_scheduled.takeFirst();
        m_nowNs = std::max(m_nowNs, next->atNs);
        // The action may wait in turn, moving this clock on.
        next->action();
        QCoreApplication::processEvents();
    }
    m_nowNs = std::max(m_nowNs, deadlineNs);
    QCoreApplication::processEvents();
}

void TestClock::advance(double seconds)
{
    processEventsUntil(m_nowNs + std::llround(seconds * 1e9));
}

int TestClock::pendingAlarms() const
{
    return static_cast<int>(std::count_if(
        m_scheduled.begin(), m_scheduled.end(),
        [](const std::shared_ptr<Entry>& entry) { return entry->isAlarm && !entry->gone(); }));
}

void TestClock::setUtc(const QDateTime& utc)
{
    m_utcAtSetting = utc.toTimeZone(QTimeZone::utc());
    m_utcSetAtNs = m_nowNs;
}

QDateTime TestClock::utcNow()
{
    return m_utcAtSetting.addMSecs((m_nowNs - m_utcSetAtNs) / 1'000'000);
}
