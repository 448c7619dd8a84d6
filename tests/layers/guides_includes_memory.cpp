// Compiled as a guides-layer source: the guides and the memory window are
// neighbours, and neither is built on the other.
#include "memory/form1.h"
