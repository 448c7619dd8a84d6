#pragma once

#include "keyer.h"
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

    // A KY text refused because the keyer's buffer was full: the characters
    // still waiting to be keyed and the text that did not fit. Worth a loud
    // line in the log: a client that paces its CW right never causes one.
    struct Overflow {
        QByteArray waiting;
        QByteArray refused;
    };
    std::optional<Overflow> overflow;
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
//   30 MHz, both ends included as Hamlib has them; a frequency outside that
//   (FA, FB, MW) is refused with "?;" and changes nothing. Transmitting is
//   not limited to the amateur bands.
// - Levels out of their range (PC below 5 W, KS above 60, ...) are refused
//   with "?;", not brought into range, so a client's mistake shows in the log.
// - FW takes any four digits and keeps the filter they fall on (CW: 0000 to
//   0079 is 50 Hz, ... 2000 and up 2000 Hz; FSK 250 to 1500 Hz; SSB, AM and
//   FM 0000 narrow, anything else wide); "FW;" answers that filter: FW0500;
//   FW0001;. Each family of modes keeps its own.
// - KY P1 P2 ; where P1 is not used and P2 the 24 characters to key: see
//   Keyer. A text with a character the keyer does not know is refused with
//   "?;", and so is one the full buffer cannot take (Outcome::overflow).
//   "KY;" answers KY0; while there is room for a text, KY1; while not.
//   Switching off and the resets empty the buffer.
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
    static constexpr qint64 MaxFrequency = 60'000'000;
    static constexpr qint64 MaxFrequencyD = 30'000'000;
    static constexpr qint64 MicStep = 10;
    static constexpr int RitStep = 10;
    static constexpr int MaxRitOffset = 9'990;

    explicit Ts570(Model model = Model::S) : m_model(model) {}

    Outcome execute(QByteArrayView command);

    // The automatic tuner reports done; the caller decides how long it takes.
    void finishTuning();

    // The radio's time in microseconds from any fixed start; it never goes
    // back. The keyer keys what is due by then. Without it time stands still.
    void advanceClock(qint64 nowUs);

    const RadioState& state() const { return m_state; }
    const Keyer& keyer() const { return m_keyer; }
    // Keying runs that have ended since the last call.
    QList<Keyer::Run> takeKeyedRuns() { return m_keyer.takeFinishedRuns(); }

private:
    Outcome dispatch(QByteArrayView name, QByteArrayView params);
    Outcome information(QByteArrayView params);
    Outcome memoryRead(QByteArrayView params);
    Outcome transmitter(QByteArrayView params);
    Outcome ritStep(QByteArrayView params, int direction);
    Outcome meter(QByteArrayView params);
    Outcome ifShift(QByteArrayView params);
    Outcome filterWidth(QByteArrayView params);
    Outcome keying(QByteArrayView params);
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
    Keyer m_keyer;
};

} // namespace vradio
