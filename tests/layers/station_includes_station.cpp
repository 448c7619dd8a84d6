// Compiled as a station-layer source: its own headers, the commands and the
// cue names below it, and Qt Core.
#include "station/station.h"
#include "radio/catcommand.h"
#include "session/cues.h"

#include <QObject>
