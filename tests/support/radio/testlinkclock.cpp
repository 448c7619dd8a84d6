#include "testlinkclock.h"

#include <QCoreApplication>

#include <algorithm>

class TestLinkClock::EntryAlarm : public LinkClock::Alarm {
public:
    explicit EntryAlarm(std::shared_ptr<Entry> entry) : m_entry(std::move(entry)) {}
    ~EntryAlarm() override { m_entry->cancelled = true; }

private:
    std::shared_ptr<Entry> m_entry;
};

TestLinkClock::TestLinkClock()
{
    LinkClock::install(this);
}

TestLinkClock::~TestLinkClock()
{
    LinkClock::install(nullptr);
}

std::unique_ptr<LinkClock::Alarm> TestLinkClock::alarmAfter(std::chrono::milliseconds delay,
                                                            QObject* context,
                                                            std::function<void()> ring)
{
    auto entry = std::make_shared<Entry>(Entry{m_nowMs + delay.count(), context, std::move(ring)});
    m_entries.append(entry);
    return std::make_unique<EntryAlarm>(entry);
}

void TestLinkClock::advance(double seconds)
{
    const qint64 targetMs = m_nowMs + static_cast<qint64>(seconds * 1000.0);
    for (;;) {
        QCoreApplication::processEvents();
        m_entries.removeIf([](const std::shared_ptr<Entry>& entry) {
            return entry->cancelled || !entry->context;
        });
        auto next =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const auto& a, const auto& b) { return a->dueMs < b->dueMs; });
        if (next == m_entries.end() || (*next)->dueMs > targetMs)
            break;
        const std::shared_ptr<Entry> due = *next;
        m_entries.erase(next);
        m_nowMs = std::max(m_nowMs, due->dueMs);
        due->ring();
    }
    m_nowMs = targetMs;
    QCoreApplication::processEvents();
}

int TestLinkClock::pendingAlarms() const
{
    return static_cast<int>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const std::shared_ptr<Entry>& entry) {
            return !entry->cancelled && entry->context;
        }));
}
