// Compiled as a controls-layer source: Station Controls is opened by the
// main window, not the other way round.
#include "panel/form2.h"
