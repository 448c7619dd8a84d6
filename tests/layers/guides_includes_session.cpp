// Compiled as a guides-layer source: a guide borrows the port from the session.
#include "guides/guidewindow.h"
#include "session/portowner.h"
