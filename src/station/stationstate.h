#pragma once

// The operator's station as the panel last sent it: which VFO the panel
// addresses, where the radio receives, the frequencies, the mode, each
// switch's setting, power. Quillard never asks the radio, so this is what was
// sent, never what the radio did; a field nothing has sent yet is unknown
// (an empty optional), never a made-up default.
//
// Data flow: an operator action takes the state and returns the next one
// beside the commands it sends (station/station.h); the main window keeps the
// state for the whole run and hands it to the next action.

#include "radio/catcommand.h"
#include "radio/filterwidths.h"
#include "radio/radiomodel.h"

#include <QtGlobal>

#include <array>
#include <optional>

struct Band;

// The VFO the panel addresses: the operator's last choice of "VFO A" or "VFO
// B". The band buttons treat "not yet chosen" as VFO A.
enum class VfoChoice { NotChosen, A, B };

// Each switch's setting as last sent (the radio's number: 0 off, 1 on, 2 the
// noise reduction's second level).
class SwitchSettings {
public:
    std::optional<int> of(Switch which) const { return m_settings[index(which)]; }
    bool isOn(Switch which) const { return of(which).value_or(0) > 0; }
    void set(Switch which, int setting) { m_settings[index(which)] = setting; }

    bool operator==(const SwitchSettings& other) const = default;

private:
    static std::size_t index(Switch which) { return static_cast<std::size_t>(which); }
    std::array<std::optional<int>, switchCount> m_settings{};
};

// RIT and XIT as last sent. The two share one offset, which is known only
// from a clear on (RC), steps (RU, RD) moving it by 10 Hz up to the limit.
struct OffsetTuning {
    std::optional<bool> rit;
    std::optional<bool> xit;
    std::optional<int> hertz;
    // Either is on as sent: the offset commands then act.
    bool applied() const { return rit.value_or(false) || xit.value_or(false); }
    bool operator==(const OffsetTuning& other) const = default;
};

// The radio's levels as last sent, each in the radio's own steps. The radio
// keeps a filter for each family of modes (CW, FSK, the voice modes), so the
// filter as sent is kept for each: going back to CW finds the CW filter.
struct Levels {
    std::optional<int> afGain;
    std::optional<int> rfGain;
    std::optional<int> squelch;
    std::optional<int> power; // transmit power, watts
    std::optional<int> micGain;
    std::optional<int> ifShift;                                  // hertz
    std::array<std::optional<int>, filterFamilyCount> filters{}; // FW value, by family

    std::optional<int> filter(Mode mode) const
    {
        return filters[static_cast<std::size_t>(filterFamily(mode))];
    }
    void setFilter(Mode mode, std::optional<int> value)
    {
        filters[static_cast<std::size_t>(filterFamily(mode))] = value;
    }
    bool operator==(const Levels& other) const = default;
};

struct StationState {
    VfoChoice vfo = VfoChoice::NotChosen;
    // The main window's first showing marks "VFO A", which is not the
    // operator's choice: that one selection is absorbed, sending nothing.
    // Armed when the window loads, spent by the next "VFO A".
    bool startupSelectionPending = true;

    std::optional<Receiver> receiver; // where the radio was last told to receive
    // Where it transmits: a receiver command moves the transmitter with it
    // (the radio's rule), a transmitter command (FT) alone makes a split.
    std::optional<Receiver> transmitter;
    std::optional<quint64> frequencyA; // hertz last sent for each VFO
    std::optional<quint64> frequencyB;
    const Band* band = nullptr;       // the band a band button last tuned; none yet
    std::optional<int> memoryChannel; // the channel last recalled, 0 to 99
    std::optional<Mode> mode;
    SwitchSettings switches;
    std::optional<int> antenna;       // connector 1 or 2
    std::optional<bool> transmitting; // "Transmit" or "Receive" last
    std::optional<bool> powerOn;

    OffsetTuning offset;
    // The radio the port is set up for (comN.conf); the TS-570D until read.
    std::optional<RadioModel> model;

    Levels levels;
    // The keyer's speed as sent; nothing sets it yet.
    std::optional<int> keyerWordsPerMinute;

    RadioModel radioModel() const { return model.value_or(RadioModel::TS570D); }

    // A receiver command: the transmitter follows.
    void receiveOn(Receiver where)
    {
        receiver = where;
        transmitter = where;
    }
    // Transmitting apart from where it receives; unknown until both were sent.
    std::optional<bool> split() const
    {
        if (!receiver || !transmitter)
            return std::nullopt;
        return *receiver != *transmitter;
    }

    // The VFO the band buttons tune: B only when the operator chose it.
    Vfo addressedVfo() const { return vfo == VfoChoice::B ? Vfo::B : Vfo::A; }
    std::optional<quint64> frequency(Vfo which) const
    {
        return which == Vfo::A ? frequencyA : frequencyB;
    }
    void setFrequency(Vfo which, std::optional<quint64> hertz)
    {
        (which == Vfo::A ? frequencyA : frequencyB) = hertz;
    }

    bool operator==(const StationState& other) const = default;
};
