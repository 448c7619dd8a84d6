// Compiled as a platform-layer source: its own header is there.
#include "platform/platform.h"
