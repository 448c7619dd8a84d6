#pragma once

// The station engine: every operator action of the panel as a function of the
// station as last sent (stationstate.h) and the action's input (a band, a
// channel, a mode, a switch ...). It returns a StationStep: the commands to
// send, in order and without pauses, the station once they are sent, and what
// follows them (the words a screen reader says, the cue, a pause). It sends
// nothing, plays nothing and shows nothing: a window carries the step out.
//
// Data flow: a control's handler -> Station::<action>(state, input) ->
// StationStep -> the window sends each command through its link, keeps the
// new state, says the words, flushes its link, plays the cue, then pauses.
//
// Qt Core only, and tested without a window.

#include "radio/catcommand.h"
#include "station/bands.h"
#include "station/levels.h"
#include "station/modes.h"
#include "station/stationstate.h"

#include <QList>
#include <QString>

struct StationStep {
    StationState state;         // the station once the commands are sent
    QList<CatCommand> commands; // in this order, without pauses
    QString words;              // what a screen reader says; empty when nothing was sent
    // Why nothing was sent, for the operator (a frequency outside the
    // radio's range, the offset at its limit); empty otherwise.
    QString refusal;
    const char* cue = nullptr; // played after the commands (Cue::...); none when null
    double pauseSeconds = 0;   // waited after the commands and the cue, the window working
};

enum class FrequencyStep { Up, Down };
enum class OffsetStep { Up, Down };

namespace Station {

// The main window loads: the "VFO A" selection its first showing makes is to
// be absorbed. Sends nothing.
StationStep load(const StationState& state);

// "VFO A": FR0 and its cue, unless it is the selection the first showing made,
// which is absorbed (nothing sent, no cue).
StationStep chooseVfoA(const StationState& state);
// "VFO B": FR1 and its cue.
StationStep chooseVfoB(const StationState& state);
// "Mem": FR2 and its cue; the VFO the band buttons address stays.
StationStep chooseMemoryMode(const StationState& state);

// A band button: FR0 and FA, or FR1 and FB when VFO B is the panel's choice,
// tuning the band's lower edge; then the band's cue. The mode stays. A band
// the radio cannot tune (6 m on a TS-570D) sends nothing.
StationStep tuneBand(const StationState& state, const Band& band);

// A typed frequency: as a band button, FR and FA or FB on the VFO given,
// then the mode when one was chosen. Outside the radio's range nothing is
// sent, and the refusal names the range.
StationStep tuneFrequency(const StationState& state, Vfo vfo, quint64 hertz,
                          std::optional<Mode> mode = std::nullopt);

// The radio this port drives (comN.conf). Sends nothing.
StationStep useModel(const StationState& state, RadioModel model);

// Split on: receive on A, transmit on B (FR0, then FT1: FR alone would move
// the transmitter too). Off: transmit where the radio receives (FT0 when
// that is VFO A or not known).
StationStep switchSplit(const StationState& state, bool on);
// The transmit frequency: VFO B (FB), within the radio's range.
StationStep setTransmitFrequency(const StationState& state, quint64 hertz);
// VFO B to VFO A's frequency as last sent plus some kilohertz ("up 5");
// nothing when VFO A's frequency is not known.
StationStep transmitAboveA(const StationState& state, int kilohertz);

// RIT and XIT on or off (RT, XT).
StationStep switchRit(const StationState& state, bool on);
StationStep switchXit(const StationState& state, bool on);
// The shared offset: to zero (RC), one 10 Hz step (RU, RD), or to a typed
// offset (RC, then a step per 10 Hz). These act only while RIT or XIT is on,
// so RIT goes on first (RT1) when neither is on as sent. A step beyond the
// limit known to be reached, or an offset the radio cannot reach, sends
// nothing.
StationStep clearOffset(const StationState& state);
StationStep stepOffset(const StationState& state, OffsetStep direction);
StationStep setOffset(const StationState& state, int hertz);

// A quick memory button: FR2, then the recall of channel 0 to 99. No cue.
StationStep recallMemory(const StationState& state, int channel);

// A mode button: its MD command alone.
StationStep selectMode(const StationState& state, Mode mode);
// A time-signal button: AM, then VFO A to the signal. No receiver command: the
// radio stays where it receives, and the panel's VFO choice stays.
StationStep tuneTimeSignal(const StationState& state, const TimeSignal& signal);

// A switching button: the setting that follows the one last sent
// (switches.h), and the switch's pause (VOX).
StationStep pressSwitch(const StationState& state, Switch which);

// The plain push buttons of the "Settings" and "Transmission" frames.
StationStep selectAntenna(const StationState& state, int connector); // AN1, AN2 and cue
StationStep tuneAntenna(const StationState& state);                  // AC 11 and cue
// UP or DN: the radio moves by a step of its own, so the frequency (in memory
// mode the channel) it was last sent is no longer known.
StationStep stepFrequency(const StationState& state, FrequencyStep direction);
StationStep transmit(const StationState& state); // TX
StationStep receive(const StationState& state);  // RX

// "On" and "Off": PS1 or PS0 and its cue. Nothing else the panel sent is forgotten.
StationStep switchPower(const StationState& state, bool on);

// The system reset the operator confirmed: SR1 or SR2. The radio returns to
// its defaults, but what the panel sent is left as it was: the next band
// button addresses the same VFO, the next switch press follows its cycle.
StationStep resetRadio(const StationState& state, ResetKind kind);

// Levels (station/levels.h): the level's one command, kept as sent. A
// value outside its row's range sends nothing. The power in AM adds the
// carrier's limit to the words when it is above it.
StationStep setLevel(const StationState& state, Level level, int value);
// The filter of the mode as sent (radio/filterwidths.h): FW with the chosen
// filter's value. While the mode as sent is unknown, or for a value the mode
// does not offer, nothing is sent and the refusal says why.
StationStep setFilter(const StationState& state, int value);

// Commands the operator typed (a button of their own, the start or exit
// sequence), checked (station/operatorcommands.h), in order; the words name
// the button. A typed command that Quillard's own builders make exactly
// ("PC005;", "MD3;") is kept as sent like theirs; what any other sets is no
// longer known as sent ("PC5;", "FA7074000;" leave the power and VFO A
// unknown rather than showing a value Quillard cannot tell).
StationStep sendOperatorCommands(const StationState& state, const QString& label,
                                 const QList<CatCommand>& commands);

} // namespace Station
