#pragma once

// The switches the panel's switching buttons step through. Each press sends
// the setting that follows, in the switch's cycle, the one it sent last; the
// first press sends the cycle's first. Most switches go on, off; the noise
// blanker's first press sends "off"; the noise reduction goes level 1, level
// 2, off. VOX is followed by a short pause.

#include "radio/catcommand.h"

#include <array>
#include <optional>

struct SwitchCycle {
    Switch which;
    std::array<int, 3> settings; // sent in turn, the first length of them
    int length;
    double pauseSeconds = 0; // after the command
};

inline constexpr std::array<SwitchCycle, switchCount> switchCycles = {{
    {Switch::Lock, {1, 0}, 2},
    {Switch::Processor, {1, 0}, 2},
    {Switch::Preamplifier, {1, 0}, 2},
    {Switch::NoiseReduction, {1, 2, 0}, 3},
    {Switch::NoiseBlanker, {0, 1}, 2},
    {Switch::Attenuator, {1, 0}, 2},
    {Switch::Scan, {1, 0}, 2},
    {Switch::Vox, {1, 0}, 2, 0.2},
}};

const SwitchCycle& cycleOf(Switch which);

// The setting the next press sends, after lastSent (none: nothing sent yet).
int nextSetting(const SwitchCycle& cycle, std::optional<int> lastSent);
