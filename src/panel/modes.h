#pragma once

// Operating modes and the time-signal buttons. The six mode buttons of the
// "Modes" frame are selection buttons that send one mode command each; the
// three buttons of the "WWV" frame are push buttons that switch to AM and tune
// VFO A to a time-signal frequency, leaving the panel's VFO choice alone.
// The tables and what each button sends are the station's (station/modes.h,
// station/station.h); this unit puts the buttons in their frames.

class PanelCanvas;
class StationContext;

void buildModeControls(StationContext& panel, PanelCanvas& canvas);
