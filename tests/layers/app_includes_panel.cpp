// Compiled as an app-layer source: the main window is built on the program's
// layer, not the other way round.
#include "panel/form2.h"
