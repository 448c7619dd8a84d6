#pragma once

// Time as Quillard's waits see it. WaitSeconds() lets the given time pass on
// the current Clock while the window event loop keeps running, so clicks,
// other handlers and serial notifications are handled meanwhile.
//
// The program runs on the steady clock: it sleeps in the event loop (no busy
// polling) and measures on a monotonic clock, so a wait across midnight or a
// clock change still lasts its duration. Tests install a clock of their own,
// on which waits pass at once while still processing events.

#include <QtGlobal>

class Clock {
public:
    virtual ~Clock() = default;

    // Nanoseconds on a monotonic scale with an arbitrary start.
    virtual qint64 nowNs() = 0;
    // Returns once nowNs() has reached the deadline, processing window events
    // meanwhile. A handler run in here may wait again; waits nest.
    virtual void processEventsUntil(qint64 deadlineNs) = 0;

    // The clock in use: the steady clock unless a test installed another.
    static Clock& current();
    // Puts a clock in use (the caller keeps it); nullptr brings the steady clock back.
    static void install(Clock* clock);
};

void WaitSeconds(double seconds);
