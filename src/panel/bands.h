#pragma once

// Band and VFO selection: "VFO A", "VFO B" and "Mem" in the "Functions" frame
// and the nine band buttons in the "Bands" frame, all selection buttons. What
// each does is the station engine's (station/station.h): a band button tunes
// the VFO the operator chose last on this panel to the lower edge of its band
// (station/bands.h) and makes the radio receive on it. This unit puts the
// buttons in their frames.

#include <array>

class PanelCanvas;
class StationContext;
struct Band;

void Option6_Click(StationContext& panel); // VFO A
void Option7_Click(StationContext& panel); // VFO B
void Option8_Click(StationContext& panel); // Mem
// Any of the nine band buttons (m160_Click ... m10_Click).
void band_Click(StationContext& panel, const Band& band);

struct VfoButton {
    const char* name;
    const char* caption;
    void (*act)(StationContext& panel);
};

inline constexpr std::array<VfoButton, 3> vfoButtons = {{
    {"Option6", "VFO A", Option6_Click},
    {"Option7", "VFO B", Option7_Click},
    {"Option8", "Mem", Option8_Click},
}};

void buildBandControls(StationContext& panel, PanelCanvas& canvas);
