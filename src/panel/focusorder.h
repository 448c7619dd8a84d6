#pragma once

// The main window's focus (Tab) order, as data. The quick memories run by
// control number, Option9 to Option108, which puts "Mem 03" (Option108) after
// "Mem 99". Controls not named here (frames, the label) take no focus.

#include <QStringList>

#include <array>

struct FocusStep {
    const char* name; // a control, or the prefix of a numbered run
    int first = 0;    // for a run: the first and last number
    int last = 0;
};

// clang-format off
inline constexpr std::array<FocusStep, 41> panelFocusOrder = {{
    // VFO A, VFO B, Mem
    {"Option6"}, {"Option7"}, {"Option8"},
    // Mem 00, 01, 02, 04 .. 99, then Mem 03
    {"Option", 9, 108},
    // On, Off
    {"Option110"}, {"Option111"},
    // Transmit, Receive, VOX
    {"Command14"}, {"Command15"}, {"Command16"},
    // 160m .. 10m
    {"m160"}, {"m80"}, {"m40"}, {"m30"}, {"m20"}, {"m17"}, {"m15"}, {"m12"}, {"m10"},
    // FSK, AM, FM, CW, USB, LSB
    {"Option5"}, {"Option4"}, {"Option3"}, {"Option2"}, {"Option1"}, {"LSB"},
    // Antenna 2, Scan, RF Attenuator, Noise Blanker, Noise Reduction, Preamplifier,
    // Speech Processor, Freq Lock, Frequency Down, Frequency Up, Antenna 1,
    // Tune Antenna, System Reset
    {"Command13"}, {"Command12"}, {"Command11"}, {"Command10"}, {"Command9"}, {"Command8"},
    {"Command7"}, {"Command6"}, {"Command5"}, {"Command4"}, {"Command3"}, {"Command1"},
    {"Command18"},
    // the radio picture, 5 MHz, 10 MHz, 15 MHz
    {"Picture1"}, {"Command2"}, {"mhz10"}, {"mhz15"},
}};
// clang-format on

// The object names in focus order.
QStringList panelFocusNames();
