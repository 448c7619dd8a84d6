// Compiled as a panel-layer source: the operating system (the session bus
// included) is reached through the layers below, never by the panel itself.
#include "platform/platform.h"
