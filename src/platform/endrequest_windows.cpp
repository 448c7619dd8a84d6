// Windows asks a program with windows to end by closing them (and Qt turns
// the end of a session into the same), so no signal needs catching here.
#include "platform/platform.h"

namespace Platform {

void onEndRequest(QObject*, std::function<void()>) {}

} // namespace Platform
