#pragma once

// A clock for tests, installed for as long as it lives. Waits on it pass at
// once: WaitSeconds(2) processes the pending window events and moves this
// clock two seconds on, so a start-up's waits take no real time. Actions can
// be put at moments of this clock ("at 0.3 s, click the splash"); each runs
// inside whichever wait is passing that moment, as a click during a real wait
// would.
//
//   TestClock clock;
//   clock.at(0.3, [&] { QTest::mouseClick(splash, Qt::LeftButton); });
//   window.Form_Load();                 // its 4 s of waits pass at once
//   QCOMPARE(clock.seconds(), 4.0);

#include "clock/clock.h"

#include <QList>

#include <functional>

class TestClock : public Clock {
public:
    TestClock();
    ~TestClock() override;
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    qint64 nowNs() override { return m_nowNs; }
    void processEventsUntil(qint64 deadlineNs) override;

    // Runs the action when this clock reaches the given number of seconds
    // from its start, or the given number of seconds from now.
    void at(double seconds, std::function<void()> action);
    void after(double seconds, std::function<void()> action);
    // Seconds since this clock was made.
    double seconds() const { return m_nowNs / 1e9; }

private:
    struct Scheduled {
        qint64 atNs;
        std::function<void()> action;
    };

    qint64 m_nowNs = 0;
    QList<Scheduled> m_scheduled;
};
