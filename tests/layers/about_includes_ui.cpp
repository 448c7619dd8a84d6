// Compiled as an about-layer source: the widget kit and the platform are there.
#include "platform/platform.h"
#include "ui/look.h"
#include "ui/version.h"
