#pragma once

#include <QtGlobal>

#include <array>

namespace vradio {

// Operating modes, numbered as the TS-570 numbers them in MD and MW.
enum class Mode { Lsb = 1, Usb, Cw, Fm, Am, Fsk };

enum class Receiver { VfoA, VfoB, Memory };

constexpr int MemoryChannelCount = 100;

struct MemoryChannel {
    bool stored = false;
    qint64 frequency = 0;
    Mode mode = Mode::Usb;
    bool lockout = false;
    bool tone = false;
    int toneNumber = 1;
    // Transmit half of a split channel (MW1); a simplex channel has none.
    bool split = false;
    qint64 splitFrequency = 0;
    Mode splitMode = Mode::Usb;

    bool operator==(const MemoryChannel&) const = default;
};

// Everything the front panel shows. A default-constructed state is the radio
// after a full reset: 14.000 MHz USB on both VFOs, receiving on VFO A,
// switches off, antenna 1, tuner through, all memories empty.
struct RadioState {
    bool powered = true;
    bool transmitting = false;

    qint64 vfoA = 14'000'000;
    qint64 vfoB = 14'000'000;
    Mode modeA = Mode::Usb;
    Mode modeB = Mode::Usb;

    Receiver receiver = Receiver::VfoA;
    int memoryChannel = 0;
    // Working copy of the recalled channel: MD changes it, the stored channel
    // keeps its own mode until it is written again.
    qint64 memoryFrequency = 0;
    Mode memoryMode = Mode::Usb;
    bool memoryValid = false;

    bool noiseBlanker = false;
    int noiseReduction = 0; // 0 off, 1 NR1, 2 NR2
    bool attenuator = false;
    bool preamp = false;
    bool processor = false;
    bool vox = false;
    bool locked = false;
    bool scanning = false;
    int antenna = 1;
    bool tunerInLine = false;
    bool tuning = false;

    std::array<MemoryChannel, MemoryChannelCount> memories{};

    bool operator==(const RadioState&) const = default;

    // The frequency the radio is listening on; 0 for an empty memory channel.
    qint64 activeFrequency() const
    {
        switch (receiver) {
        case Receiver::VfoA:
            return vfoA;
        case Receiver::VfoB:
            return vfoB;
        case Receiver::Memory:
            return memoryValid ? memoryFrequency : 0;
        }
        return 0;
    }

    Mode activeMode() const
    {
        switch (receiver) {
        case Receiver::VfoA:
            return modeA;
        case Receiver::VfoB:
            return modeB;
        case Receiver::Memory:
            return memoryMode;
        }
        return Mode::Usb;
    }
};

} // namespace vradio
