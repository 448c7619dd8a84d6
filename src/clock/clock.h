#pragma once

// Time as Quillard sees it, for the waits of the windows and the alarm of the
// serial link alike.
//
// WaitSeconds() lets the given time pass on the current Clock while the event
// loop keeps running, so clicks, other handlers and serial notifications are
// handled meanwhile. An alarm (alarmAfter) calls its function once, on the
// event loop, when its delay has passed: the link's one timed check, set when
// a write leaves bytes waiting. Nothing in Quillard polls.
//
// The program runs on the steady clock: it sleeps in the event loop (no busy
// polling) and measures on a monotonic clock, so a wait across midnight or a
// clock change still lasts its duration; alarms are Qt timers. Tests install
// a clock of their own, on which waits pass at once while still processing
// events, and alarms ring when the test moves the clock past them.
//
// utcNow() is the calendar: the date and time in UTC, for what depends on
// the time of day (the short-wave schedule's "on the air now"). The program
// asks the system; a test sets it on its clock, where it moves on with the
// clock's waits and alarms. (The black-box tests preload a library into the
// program that holds the system's calendar at their moment and leaves the
// monotonic clock alone, so the program has no hook an operator could set
// by chance.)

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

class Clock {
public:
    // An alarm set and not yet rung; destroying it cancels it.
    class Alarm {
    public:
        virtual ~Alarm() = default;
    };

    virtual ~Clock() = default;

    // Nanoseconds on a monotonic scale with an arbitrary start.
    virtual qint64 nowNs() = 0;
    // Returns once nowNs() has reached the deadline, processing events
    // meanwhile. A handler run in here may wait again; waits nest.
    virtual void processEventsUntil(qint64 deadlineNs) = 0;
    // Calls ring once, on the event loop, when delay has passed, unless the
    // alarm has been destroyed first or the context object has gone.
    [[nodiscard]] virtual std::unique_ptr<Alarm>
    alarmAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> ring) = 0;
    // The date and time now, in UTC.
    virtual QDateTime utcNow();

    // The clock in use: the steady clock unless a test installed another.
    static Clock& current();
    // Puts a clock in use (the caller keeps it); nullptr brings the steady clock back.
    static void install(Clock* clock);
};

void WaitSeconds(double seconds);
