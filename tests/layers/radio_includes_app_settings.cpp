// Compiled as a radio-layer source: the settings file belongs to the program
// above, so this must not compile.
#include "session/settings.h"
