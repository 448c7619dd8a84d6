#pragma once

#include <QtGlobal>

#include <array>

namespace vradio {

// Operating modes, numbered as the TS-570 numbers them in MD, MW and IF; 8 is
// not a mode.
enum class Mode { Lsb = 1, Usb, Cw, Fm, Am, Fsk, CwReverse, FskReverse = 9 };

// The two radios Hamlib tells apart by their ID: the S receives 500 kHz to
// 60 MHz, the D (no 6 m band) 500 kHz to 30 MHz.
enum class Model { S, D };

// What a width sent with FW means depends on the mode: the CW and FSK filters
// are chosen by their width in Hz, SSB, AM and FM only tell narrow from wide.
enum class FilterFamily { Voice, Cw, Fsk };

inline FilterFamily filterFamily(Mode mode)
{
    switch (mode) {
    case Mode::Cw:
    case Mode::CwReverse:
        return FilterFamily::Cw;
    case Mode::Fsk:
    case Mode::FskReverse:
        return FilterFamily::Fsk;
    default:
        return FilterFamily::Voice;
    }
}

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

// Everything the front panel shows but the keyer's buffer, which lives in
// time (Keyer). A default-constructed state is the radio
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
    // Where the radio transmits: FR sets it along with the receiver, FT
    // alone; split is on while the two differ.
    Receiver transmitter = Receiver::VfoA;
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

    // Reports its changes unasked (AI1) or only answers (AI0).
    bool autoInformation = false;

    // RIT and XIT share one offset, -9990 to +9990 Hz in 10 Hz steps.
    bool rit = false;
    bool xit = false;
    int ritOffset = 0;

    // Levels and filters a client may set and read back, in the radio's own
    // units (see the table in ts570.cpp).
    int outputPower = 100; // PC, watts
    int afGain = 100;      // AG
    int rfGain = 255;      // RG
    int squelch = 0;       // SQ
    int micGain = 50;      // MG
    int keySpeed = 20;     // KS, words per minute
    int slopeLow = 0;      // SL
    int slopeHigh = 11;    // SH
    // FW per family: the filter in Hz for CW and FSK, 0 narrow or 1 wide for
    // SSB, AM and FM; FW reads and sets the one of the mode received in.
    int cwWidth = 500;
    int fskWidth = 500;
    int voiceWidth = 1;
    int ifShift = 0; // IS, Hz
    int meter = 1;   // RM: 1 SWR, 2 COMP, 3 ALC
    int sMeter = 7;  // SM while receiving (0 to 15)
    int agc = 84;    // GT, AGC time constant
    bool beatCancel = false;
    bool tone = false;
    bool ctcss = false;
    int toneNumber = 1;

    std::array<MemoryChannel, MemoryChannelCount> memories{};

    bool operator==(const RadioState&) const = default;

    bool split() const { return transmitter != receiver; }

    // The frequency of a VFO or of the recalled channel; 0 for an empty
    // memory channel.
    qint64 frequencyOf(Receiver which) const
    {
        switch (which) {
        case Receiver::VfoA:
            return vfoA;
        case Receiver::VfoB:
            return vfoB;
        case Receiver::Memory:
            return memoryValid ? memoryFrequency : 0;
        }
        return 0;
    }

    Mode modeOf(Receiver which) const
    {
        switch (which) {
        case Receiver::VfoA:
            return modeA;
        case Receiver::VfoB:
            return modeB;
        case Receiver::Memory:
            return memoryMode;
        }
        return Mode::Usb;
    }

    // The frequency the radio is listening on; 0 for an empty memory channel.
    qint64 activeFrequency() const { return frequencyOf(receiver); }
    Mode activeMode() const { return modeOf(receiver); }

    int filterWidth() const
    {
        switch (filterFamily(activeMode())) {
        case FilterFamily::Cw:
            return cwWidth;
        case FilterFamily::Fsk:
            return fskWidth;
        case FilterFamily::Voice:
            break;
        }
        return voiceWidth;
    }

    // While transmitting split, the radio's display (and IF) shows the
    // transmit side.
    Receiver shownSide() const { return transmitting ? transmitter : receiver; }
};

} // namespace vradio
