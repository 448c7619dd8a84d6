// Compiled as a session-layer source: its own headers, the link seam and Qt Core.
#include "radio/radiolink.h"
#include "session/portowner.h"

#include <QObject>
