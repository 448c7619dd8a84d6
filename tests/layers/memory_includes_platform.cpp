// Compiled as a memory-layer source: the session below it uses the platform,
// but a view is not passed on: the memory layer does not name the platform.
#include "platform/platform.h"
