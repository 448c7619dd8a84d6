// Compiled as a session-layer source: the session shows nothing; the widget
// kit is not there.
#include "ui/messagebox.h"
