#pragma once

// The main window's focus (Tab) order, as data. The quick memories run by
// control number, Option9 to Option108, which puts "Mem 03" (Option108) after
// "Mem 99". Controls not named here (frames, the label) take no focus.

#include <QStringList>

#include <array>

class QWidget;

struct FocusStep {
    const char* name; // a control, or the prefix of a numbered run
    int first = 0;    // for a run: the first and last number
    int last = 0;
};

inline constexpr std::array<FocusStep, 41> panelFocusOrder = {{
    {"Option6"},
    {"Option7"},
    {"Option8"},        // VFO A, VFO B, Mem
    {"Option", 9, 108}, // Mem 00 .. Mem 99, Mem 03
    {"Option110"},
    {"Option111"}, // On, Off
    {"Command14"},
    {"Command15"},
    {"Command16"}, // Transmit, Receive, VOX
    {"m160"},
    {"m80"},
    {"m40"},
    {"m30"},
    {"m20"},
    {"m17"},
    {"m15"},
    {"m12"},
    {"m10"},
    {"Option5"},
    {"Option4"},
    {"Option3"},
    {"Option2"},
    {"Option1"},
    {"LSB"}, // FSK .. LSB
    {"Command13"},
    {"Command12"},
    {"Command11"},
    {"Command10"},
    {"Command9"},
    {"Command8"},
    {"Command7"},
    {"Command6"},
    {"Command5"},
    {"Command4"},
    {"Command3"},
    {"Command1"},
    {"Command18"}, // Antenna 2 .. System Reset
    {"Picture1"},
    {"Command2"},
    {"mhz10"},
    {"mhz15"}, // picture, 5/10/15 MHz
}};

// The object names in focus order.
QStringList panelFocusNames();

// Chains the canvas's controls in that order.
void applyFocusOrder(QWidget* canvas);
