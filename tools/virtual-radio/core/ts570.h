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
// Command letters may come in lower case, and control characters inside a
// command are skipped, as the radio's manual has it. A read form (the name
// and ";") answers with the value in the set form's layout.
//
// Choices where the radio's behaviour is not ours to observe:
// - Range: the TS-570S receives 500 kHz to 60 MHz, the TS-570D 500 kHz to
//   30 MHz; a frequency outside that (FA, FB, MW) is refused with "?;" and
//   changes nothing.
// - With auto-information on (AI1), every set command that changes the state
//   is followed by a report: the IF answer when anything IF shows changed,
//   else the command's own read answer.
// - MW with an all-zero frequency empties the channel (MW0) or its transmit
//   half (MW1), whatever follows the frequency; Hamlib writes unused
//   channels so. A tone number 00 is taken while the tone is off.
// - UP/DN emulate the microphone keys: 10 Hz per press on the active VFO,
//   the dial's SSB step, used in every mode so tests stay predictable. In
//   memory mode they move to the next or previous stored channel. While the
//   frequency lock (LK1) is on they are ignored, as the keys are; commands
//   that set a frequency directly still apply.
// - MC recalls a channel and puts the radio in memory mode. Recalling an
//   empty channel is refused with "?;" and the radio stays as it was.
// - Switched off (PS0) the radio hears only PS and ID: "PS1;" switches it on,
//   "PS;" answers "PS0;" and "ID;" still answers (Hamlib checks every set
//   command, PS0 included, with an ID read). Everything else is ignored
//   without an answer.
//   Power-off ends transmitting, tuning and scanning; the rest is kept.
// - SR1 (partial reset) restores the defaults of RadioState but keeps the
//   memories; SR2 (full reset) clears them as well.
// - Parameters the radio marks "not used" (the blank in "MC 05;", "AC 11;"
//   and in MW) accept any printable character, as the radio's do.
class Ts570 {
public:
    static constexpr qint64 MinFrequency = 500'000;
    static constexpr qint64 MaxFrequency = 59'999'999;
    static constexpr qint64 MaxFrequencyD = 29'999'999;
    static constexpr qint64 MicStep = 10;
    static constexpr int RitStep = 10;
    static constexpr int MaxRitOffset = 9'990;

    explicit Ts570(Model model = Model::S) : m_model(model) {}

    Outcome execute(QByteArrayView command);

    // The automatic tuner reports done; the caller decides how long it takes.
    void finishTuning();

    const RadioState& state() const { return m_state; }

private:
    Outcome dispatch(QByteArrayView name, QByteArrayView params);
    Outcome information(QByteArrayView params);
    Outcome memoryRead(QByteArrayView params);
    Outcome transmitter(QByteArrayView params);
    Outcome ritStep(QByteArrayView params, int direction);
    Outcome meter(QByteArrayView params);
    Outcome ifShift(QByteArrayView params);
    Outcome readOnly(QByteArrayView params, QByteArray reply);
    QByteArray report(QByteArrayView name, const QByteArray& informationBefore,
                      const RadioState& before);
    bool validFrequency(qint64 hz) const;

    Outcome frequency(qint64& vfo, QByteArrayView name, QByteArrayView params);
    Outcome receiver(QByteArrayView params);
    Outcome recall(QByteArrayView params);
    Outcome memoryWrite(QByteArrayView params);
    Outcome erase(int half, int channel);
    Outcome mode(QByteArrayView params);
    Outcome tuner(QByteArrayView params);
    Outcome power(QByteArrayView params);
    Outcome reset(QByteArrayView params);
    Outcome step(QByteArrayView params, int direction);
    Outcome flag(QByteArrayView name, QByteArrayView params, bool& field);
    Outcome choice(QByteArrayView name, QByteArrayView params, int& field, int min, int max,
                   int width);

    void recallChannel(int channel);

    Model m_model;
    RadioState m_state;
};

} // namespace vradio
