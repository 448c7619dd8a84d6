#pragma once

// Function buttons and power. The "Settings" and "Transmission" frames hold
// push buttons: plain ones that send one command (and some play a cue), and
// switching ones that step through their settings on each press ("VOX" ends
// with a short pause that keeps the window working). The "Power" frame holds
// the selection buttons "On" and "Off"; the radio picture plays a cue. What
// each sends is the station engine's (station/station.h); this unit puts the
// buttons in their frames and shows each switch's setting as last sent.

class PanelCanvas;
class StationContext;

void buildFunctionControls(StationContext& panel, PanelCanvas& canvas);
