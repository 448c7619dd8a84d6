// Compiled as a station-layer source: the engine shows nothing; the widget
// kit is not there.
#include "ui/announcer.h"
