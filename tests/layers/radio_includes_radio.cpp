// Compiled as a radio-layer source: its own and the platform's headers are there.
#include "platform/platform.h"
#include "radio/seriallink.h"
