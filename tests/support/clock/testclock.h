#pragma once

// The one clock for tests, installed for as long as it lives. Waits on it
// pass at once: WaitSeconds(2) processes the pending events and moves this
// clock two seconds on, so a start-up's waits take no real time. Actions can
// be put at moments of this clock ("at 0.3 s, click the splash"); each runs
// inside whichever wait is passing that moment, as a click during a real wait
// would. Alarms (the serial link's stuck-line check) ring only when the clock
// passes them, in a wait or by advance(), so a two-second alarm takes no real
// time and rings exactly when the test says. Its calendar (utcNow) starts at
// the moment setUtc() gives (2000-01-01 00:00 UTC until then) and moves on
// with the clock. Needs Qt Core only.
//
//   TestClock clock;
//   clock.at(0.3, [&] { QTest::mouseClick(splash, Qt::LeftButton); });
//   window.Form_Load();                 // its 4 s of waits pass at once
//   QCOMPARE(clock.seconds(), 4.0);
//
//   link.sendCommand(...);              // leaves bytes waiting: an alarm is set
//   clock.advance(2.0);                 // it rings now, on this clock
//
//   clock.setUtc(QDateTime(QDate(2025, 6, 15), QTime(23, 59, 30), QTimeZone::utc()));
//   clock.advance(30);                  // utcNow() is 16 June, 00:00

#include "clock/clock.h"

#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class TestClock : public Clock {
public:
    TestClock();
    ~TestClock() override;
    TestClock(const TestClock&) = delete;
    TestClock& operator=(const TestClock&) = delete;

    qint64 nowNs() override { return m_nowNs; }
    void processEventsUntil(qint64 deadlineNs) override;
    std::unique_ptr<Alarm> alarmAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> ring) override;

    // Runs the action when this clock reaches the given number of seconds
    // from its start, or the given number of seconds from now.
    void at(double seconds, std::function<void()> action);
    void after(double seconds, std::function<void()> action);
    // Moves the clock on, running what falls due on the way in the order it
    // is due, each after the events pending at its moment.
    void advance(double seconds);
    // Alarms set and not yet rung or cancelled.
    int pendingAlarms() const;
    // Seconds since this clock was made.
    double seconds() const { return m_nowNs / 1e9; }

    // The calendar: now this moment, moving on with the clock from here.
    void setUtc(const QDateTime& utc);
    QDateTime utcNow() override;

private:
    struct Entry {
        qint64 atNs;
        std::function<void()> action;
        bool isAlarm = false;
        QPointer<QObject> context; // an alarm's; it dies with it
        bool cancelled = false;
        bool gone() const { return cancelled || (isAlarm && !context); }
    };
    class EntryAlarm;

    void schedule(std::shared_ptr<Entry> entry);

    qint64 m_nowNs = 0;
    QDateTime m_utcAtSetting;
    qint64 m_utcSetAtNs = 0;
    QList<std::shared_ptr<Entry>> m_scheduled; // in the order due, ties in the order set
};
