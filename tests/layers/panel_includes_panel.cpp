// Compiled as a panel-layer source: its own headers, with what they include.
#include "panel/form2.h"
