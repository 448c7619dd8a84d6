// Compiled as a station-layer source: the engine is what the panel uses, not
// the other way round.
#include "panel/form2.h"
