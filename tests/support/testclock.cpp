#include "testclock.h"

#include <QCoreApplication>

#include <algorithm>

TestClock::TestClock()
{
    Clock::install(this);
}

TestClock::~TestClock()
{
    Clock::install(nullptr);
}

void TestClock::at(double seconds, std::function<void()> action)
{
    m_scheduled.append({static_cast<qint64>(seconds * 1e9), std::move(action)});
    std::stable_sort(m_scheduled.begin(), m_scheduled.end(),
                     [](const Scheduled& a, const Scheduled& b) { return a.atNs < b.atNs; });
}

void TestClock::after(double seconds, std::function<void()> action)
{
    at(this->seconds() + seconds, std::move(action));
}

void TestClock::processEventsUntil(qint64 deadlineNs)
{
    QCoreApplication::processEvents();
    while (m_nowNs < deadlineNs) {
        if (!m_scheduled.isEmpty() && m_scheduled.first().atNs <= deadlineNs) {
            Scheduled next = m_scheduled.takeFirst();
            m_nowNs = std::max(m_nowNs, next.atNs);
            // The action may wait in turn, moving this clock on.
            next.action();
        } else {
            m_nowNs = deadlineNs;
        }
        QCoreApplication::processEvents();
    }
}
