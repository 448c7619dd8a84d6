// Compiled as a ui-layer source: its own headers, the generated one included.
#include "ui/messagebox.h"
#include "ui/version.h"
