// Compiled as a memory-layer source: its own headers, with what they include.
#include "memory/form1.h"
