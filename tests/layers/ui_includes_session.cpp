// Compiled as a ui-layer source: the widget kit knows no settings and no port.
#include "session/settings.h"
