// Compiled as a controls-layer source: its own headers, with the engine,
// the widget kit and the session they include.
#include "controls/stationcontext.h"
#include "controls/stationcontrols.h"
#include "session/portowner.h"
#include "ui/messagebox.h"
