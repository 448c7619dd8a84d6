// Compiled as a platform-layer source: the bottom layer sees nothing above it.
#include "radio/catcommand.h"
