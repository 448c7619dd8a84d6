// Compiled as a station-layer source: the engine knows no window, not even
// the one that carries its steps out.
#include "controls/stationcontext.h"
