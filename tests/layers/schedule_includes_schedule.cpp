// Compiled as a schedule-layer source: its own headers are there.
#include "schedule/schedulefilter.h"
