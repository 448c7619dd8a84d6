#pragma once

// The radio's levels as the operator sets them, one row each: its command's
// range in the radio's own steps, the keyboard's steps, and its words. The
// levels section of Station Controls builds a control from each row, and the
// engine (Station::setLevel) checks and sends it, so a level is described
// once, here.
//
// Data flow: levelRows -> a slider per row -> Station::setLevel(state, level,
// value) -> the level's command (radio/catcommand.h) -> the state's Levels.

#include "station/stationstate.h"

#include <QString>

#include <array>
#include <optional>

enum class Level { AfGain, RfGain, Squelch, Power, MicGain, IfShift };

struct LevelRow {
    Level level;
    const char* name;    // the control's object name: "afGainSlider"
    const char* caption; // "AF gain", also its accessible name
    int lowest;
    int highest;
    int step;         // an arrow key
    int pageStep;     // Page Up / Page Down
    const char* unit; // "W", "Hz", or empty for the radio's own steps
};

// The rows in the order the section shows them. The IF shift goes in steps
// of 100 Hz within +/-1000 Hz, which every TS-570 takes.
extern const std::array<LevelRow, 6> levelRows;
const LevelRow& levelRow(Level level);

// The power presets, in watts.
inline constexpr std::array<int, 5> powerPresets = {5, 10, 25, 50, 100};
// In AM the radio limits the carrier to this.
inline constexpr int amCarrierMaxWatts = 25;

// The level as last sent, or unknown.
std::optional<int> levelAsSent(const StationState& state, Level level);
// The field of the station's levels that keeps this level as sent.
const std::optional<int>& levelField(const Levels& levels, Level level);
std::optional<int>& levelField(Levels& levels, Level level);
// The value as it reads beside its control: "50 W", "plus 300 Hz", "128".
QString levelValueWords(Level level, int value);
// Beside the power while the mode as sent is AM: "AM: the carrier is at
// most 25 W"; empty otherwise.
QString powerNote(const StationState& state);
