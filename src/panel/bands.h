#pragma once

// Band and VFO selection: "VFO A", "VFO B" and "Mem" in the "Functions" frame
// and the nine band buttons in the "Bands" frame, all selection buttons. Each
// band button tunes the VFO the operator chose last on this panel
// (VfoSelection) to the lower edge of its band and makes the radio receive on
// it.

#include <QtGlobal>

#include <array>

class PanelCanvas;
struct PanelContext;

struct BandButton {
    const char* name;
    const char* caption;
    quint64 hertz; // lower band edge
    const char* cue;
};

inline constexpr std::array<BandButton, 9> bandButtons = {{
    {"m160", "160m", 1'800'000, "160m.wav"},
    {"m80", "80m", 3'500'000, "80m.wav"},
    {"m40", "40m", 7'000'000, "40m.wav"},
    {"m30", "30m", 10'100'000, "30m.wav"},
    {"m20", "20m", 14'000'000, "20m.wav"},
    {"m17", "17m", 18'068'000, "17m.wav"},
    {"m15", "15m", 21'000'000, "15m.wav"},
    {"m12", "12m", 24'890'000, "12m.wav"},
    {"m10", "10m", 28'000'000, "10m.wav"},
}};

void Option6_Click(PanelContext& panel); // VFO A
void Option7_Click(PanelContext& panel); // VFO B
void Option8_Click(PanelContext& panel); // Mem
// Any of the nine band buttons (m160_Click ... m10_Click).
void band_Click(PanelContext& panel, const BandButton& band);

struct VfoButton {
    const char* name;
    const char* caption;
    void (*act)(PanelContext& panel);
};

inline constexpr std::array<VfoButton, 3> vfoButtons = {{
    {"Option6", "VFO A", Option6_Click},
    {"Option7", "VFO B", Option7_Click},
    {"Option8", "Mem", Option8_Click},
}};

void buildBandControls(PanelContext& panel, PanelCanvas& canvas);
