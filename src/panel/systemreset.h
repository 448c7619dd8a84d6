#pragma once

// "System Reset": after its cue, up to three questions decide between a
// partial reset, a full reset and nothing. Every question defaults to No, so
// Enter never resets the radio. What the panel sent before is left as it was
// (Station::resetRadio).

#include <QMessageBox>

#include <array>

class PanelCanvas;
class StationContext;

struct ResetQuestion {
    const char* title;
    const char* text;
};

inline constexpr std::array<ResetQuestion, 3> resetQuestions = {{
    {"Are you sure?", "Are you sure you want to do a System Reset?"},
    {"System Reset", "Do you want to do a Partial Reset?"},
    {"System Reset", "Then you want to do a Full Reset?"},
}};

void Command18_Click(StationContext& panel);

void buildSystemReset(StationContext& panel, PanelCanvas& canvas);
