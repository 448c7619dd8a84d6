// Compiled as an about-layer source: the About box never talks to the radio,
// so the link is not there to include.
#include "radio/seriallink.h"
