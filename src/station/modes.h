#pragma once

// The operating modes the panel's mode buttons select, and the time signals
// (5, 10 and 15 MHz in AM) its "WWV" buttons tune VFO A to. The panel builds
// those buttons from these tables; the engine sends from them.

#include "radio/catcommand.h"

#include <array>

struct ModeChoice {
    const char* name;    // the control's name, "Option1"
    const char* caption; // "USB"
    Mode mode;
};

inline constexpr std::array<ModeChoice, 6> modeChoices = {{
    {"LSB", "LSB", Mode::LSB},
    {"Option1", "USB", Mode::USB},
    {"Option2", "CW", Mode::CW},
    {"Option3", "FM", Mode::FM},
    {"Option4", "AM", Mode::AM},
    {"Option5", "FSK", Mode::FSK},
}};

struct TimeSignal {
    const char* name;    // the control's name, "mhz10"
    const char* caption; // "10 MHz"
    quint64 hertz;
};

// Always heard in AM, always on VFO A.
inline constexpr Mode timeSignalMode = Mode::AM;

inline constexpr std::array<TimeSignal, 3> timeSignals = {{
    {"Command2", "5 MHz", 5'000'000},
    {"mhz10", "10 MHz", 10'000'000},
    {"mhz15", "15 MHz", 15'000'000},
}};
