#pragma once

// A clock for the serial link's alarms, installed for as long as it lives.
// Nothing rings until the test moves it on, so a two-second alarm takes no
// real time and rings exactly when the test says:
//
//   TestLinkClock clock;
//   link.sendCommand(...);           // leaves bytes waiting: an alarm is set
//   clock.advance(2.0);              // it rings now, on this clock
//
// Needs Qt Core only, like the radio layer it drives.

#include "radio/linkclock.h"

#include <QList>
#include <QPointer>

class TestLinkClock : public LinkClock {
public:
    TestLinkClock();
    ~TestLinkClock() override;
    TestLinkClock(const TestLinkClock&) = delete;
    TestLinkClock& operator=(const TestLinkClock&) = delete;

    std::unique_ptr<Alarm> alarmAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> ring) override;

    // Moves the clock on, ringing the alarms that fall due on the way in the
    // order they are due, each after the events pending at its moment.
    void advance(double seconds);
    // Alarms set and not yet rung or cancelled.
    int pendingAlarms() const;
    double seconds() const { return m_nowMs / 1000.0; }

private:
    struct Entry {
        qint64 dueMs;
        QPointer<QObject> context;
        std::function<void()> ring;
        bool cancelled = false;
    };
    class EntryAlarm;

    qint64 m_nowMs = 0;
    QList<std::shared_ptr<Entry>> m_entries;
};
