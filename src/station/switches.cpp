#include "station/switches.h"

namespace {
constexpr bool everySwitchHasItsCycle()
{
    for (int which = 0; which < switchCount; ++which) {
        int found = 0;
        for (const SwitchCycle& cycle : switchCycles)
            found += static_cast<int>(cycle.which) == which ? 1 : 0;
        if (found != 1)
            return false;
    }
    return true;
}
static_assert(everySwitchHasItsCycle());
} // namespace

const SwitchCycle& cycleOf(Switch which)
{
    for (const SwitchCycle& cycle : switchCycles)
        if (cycle.which == which)
            return cycle;
    return switchCycles.front(); // not reached: every switch has its cycle
}

int nextSetting(const SwitchCycle& cycle, std::optional<int> lastSent)
{
    if (lastSent) {
        for (int i = 0; i < cycle.length; ++i)
            if (cycle.settings[static_cast<std::size_t>(i)] == *lastSent)
                return cycle.settings[static_cast<std::size_t>((i + 1) % cycle.length)];
    }
    return cycle.settings[0];
}
