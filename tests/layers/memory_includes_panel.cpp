// Compiled as a memory-layer source: the memory window is opened by the
// panel, not the other way round.
#include "panel/form2.h"
