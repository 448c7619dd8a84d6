#pragma once

// Time as the serial link sees it. The link never polls; the one thing it
// times is a single alarm, set when a write leaves bytes waiting, that rings
// once if they have not left by then (see SerialLink). An alarm is cancelled
// by destroying it.
//
// The program runs on Qt timers; tests install a clock of their own that they
// move on by hand, so a two-second alarm rings without two seconds passing.

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

class LinkClock {
public:
    class Alarm {
    public:
        virtual ~Alarm() = default;
    };

    virtual ~LinkClock() = default;

    // Calls ring once, on the event loop, when delay has passed, unless the
    // alarm has been destroyed first or the context object has gone.
    [[nodiscard]] virtual std::unique_ptr<Alarm>
    alarmAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> ring) = 0;

    // The clock in use: Qt's timers unless a test installed another.
    static LinkClock& current();
    // Puts a clock in use (the caller keeps it); nullptr brings Qt's timers back.
    static void install(LinkClock* clock);
};
