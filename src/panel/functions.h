#pragma once

// Function buttons and power. The "Settings" and "Transmission" frames hold
// push buttons: plain ones that send one command (and some play a cue), and
// switching ones that step through their settings on each press, remembering
// how often they were pressed in a state variable of the panel. "VOX" ends
// with a short pause that keeps the window working. The "Power" frame holds
// the selection buttons "On" and "Off"; the radio picture plays a cue.

class PanelCanvas;
struct PanelContext;

void buildFunctionControls(PanelContext& panel, PanelCanvas& canvas);
