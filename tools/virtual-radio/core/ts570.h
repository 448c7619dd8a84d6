#pragma once

#include "radiostate.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace vradio {

// What became of one command.
struct Outcome {
    enum class Kind {
        Applied,         // a set command changed (or confirmed) the state
        Answered,        // a read command; reply holds the answer
        Rejected,        // unknown, malformed or impossible now; reply is "?;"
        IgnoredWhileOff, // the radio is switched off and does not listen
    };
    Kind kind = Kind::Applied;
    QByteArray reply; // bytes the radio sends back, often none
};

// The TS-570 as seen through its serial port: takes one complete command
// ("FA00014000000;") and changes the state as the radio would.
//
// Choices where the radio's behaviour is not ours to observe:
// - Range: the TS-570S receives 500 kHz to 60 MHz; a frequency outside that
//   (FA, FB, MW) is refused with "?;" and changes nothing.
// - UP/DN emulate the microphone keys: 10 Hz per press on the active VFO,
//   the dial's SSB step, used in every mode so tests stay predictable. In
//   memory mode they move to the next or previous stored channel. While the
//   frequency lock (LK1) is on they are ignored, as the keys are; commands
//   that set a frequency directly still apply.
// - MC recalls a channel and puts the radio in memory mode. Recalling an
//   empty channel is refused with "?;" and the radio stays as it was.
// - Switched off (PS0) the radio hears only PS: "PS1;" switches it on and
//   "PS;" answers "PS0;". Everything else is ignored without an answer.
//   Power-off ends transmitting, tuning and scanning; the rest is kept.
// - SR1 (partial reset) restores the defaults of RadioState but keeps the
//   memories; SR2 (full reset) clears them as well.
// - Parameters the radio marks "not used" (the blank in "MC 05;", "AC 11;"
//   and in MW) accept any printable character, as the radio's do.
class Ts570 {
public:
    static constexpr qint64 MinFrequency = 500'000;
    static constexpr qint64 MaxFrequency = 59'999'999;
    static constexpr qint64 MicStep = 10;

    Outcome execute(QByteArrayView command);

    // The automatic tuner reports done; the caller decides how long it takes.
    void finishTuning();

    const RadioState& state() const { return m_state; }

private:
    Outcome frequency(qint64& vfo, QByteArrayView name, QByteArrayView params);
    Outcome receiver(QByteArrayView params);
    Outcome recall(QByteArrayView params);
    Outcome memoryWrite(QByteArrayView params);
    Outcome mode(QByteArrayView params);
    Outcome tuner(QByteArrayView params);
    Outcome power(QByteArrayView params);
    Outcome reset(QByteArrayView params);
    Outcome step(QByteArrayView params, int direction);
    Outcome flag(QByteArrayView name, QByteArrayView params, bool& field);
    Outcome choice(QByteArrayView name, QByteArrayView params, int& field, int min, int max,
                   int width);

    void recallChannel(int channel);

    RadioState m_state;
};

} // namespace vradio
