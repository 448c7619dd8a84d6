#pragma once

// Quick memory selection: one selection button per memory channel of the
// radio, "Mem 00" to "Mem 99", in seven columns of fifteen in the "Memory
// Selection" frame. Choosing one switches the radio to memory mode and
// recalls the channel; nothing else is read or changed.

class PanelCanvas;
class StationContext;

inline constexpr int memoryChannels = 100;
inline constexpr int memoryRowsPerColumn = 15;

// The control number of a channel's button: Option9 to Option11 for 00 to 02,
// Option12 to Option107 for 04 to 99, and Option108, out of sequence, for 03.
constexpr int memoryControlNumber(int channel)
{
    if (channel == 3)
        return 108;
    return channel < 3 ? channel + 9 : channel + 8;
}

void buildQuickMemories(StationContext& panel, PanelCanvas& canvas);
