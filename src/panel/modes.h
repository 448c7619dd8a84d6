#pragma once

// Operating modes and the time-signal buttons. The six mode buttons of the
// "Modes" frame are selection buttons that send one mode command each; the
// three buttons of the "WWV" frame are push buttons that switch to AM and tune
// VFO A to a time-signal frequency. Neither reads or changes VfoSelection:
// the time signals always retune VFO A and send no receiver command.

#include "radio/catcommand.h"

#include <array>

class PanelCanvas;
struct PanelContext;

struct ModeButton {
    const char* name;
    const char* caption;
    Mode mode;
};

inline constexpr std::array<ModeButton, 6> modeButtons = {{
    {"LSB", "LSB", Mode::LSB},
    {"Option1", "USB", Mode::USB},
    {"Option2", "CW", Mode::CW},
    {"Option3", "FM", Mode::FM},
    {"Option4", "AM", Mode::AM},
    {"Option5", "FSK", Mode::FSK},
}};

struct TimeSignalButton {
    const char* name;
    const char* caption;
    quint64 hertz;
};

inline constexpr std::array<TimeSignalButton, 3> timeSignalButtons = {{
    {"Command2", "5 MHz", 5'000'000},
    {"mhz10", "10 MHz", 10'000'000},
    {"mhz15", "15 MHz", 15'000'000},
}};

void buildModeControls(PanelContext& panel, PanelCanvas& canvas);
