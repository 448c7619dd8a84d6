// Compiled as an app-layer source: the session and the widget kit are there.
#include "app/portmessages.h"
#include "session/portowner.h"
#include "ui/messagebox.h"
