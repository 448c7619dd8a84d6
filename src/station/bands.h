#pragma once

// The amateur bands the panel tunes: each band button sets the VFO the
// operator chose to the band's lower edge and makes the radio receive on it,
// then plays the band's cue. One table, which the panel builds its band
// buttons from and the engine tunes from; the band's spoken name comes from
// here, never from looking a frequency up.
//
// The band cues are also in the program's list of every cue (Cue::All, which
// the installed files and their tests follow); the build holds the two to the
// same names.

#include "session/cues.h"

#include <QtGlobal>

#include <array>
#include <string_view>

struct Band {
    const char* name;    // the control's name, "m20"
    const char* caption; // "20m"
    quint64 hertz;       // the lower band edge
    const char* cue;     // "20m.wav"; none for 6 m
    const char* spoken;  // "20 metres"
};

inline constexpr std::array<Band, 9> bands = {{
    {"m160", "160m", 1'800'000, "160m.wav", "160 metres"},
    {"m80", "80m", 3'500'000, "80m.wav", "80 metres"},
    {"m40", "40m", 7'000'000, "40m.wav", "40 metres"},
    {"m30", "30m", 10'100'000, "30m.wav", "30 metres"},
    {"m20", "20m", 14'000'000, "20m.wav", "20 metres"},
    {"m17", "17m", 18'068'000, "17m.wav", "17 metres"},
    {"m15", "15m", 21'000'000, "15m.wav", "15 metres"},
    {"m12", "12m", 24'890'000, "12m.wav", "12 metres"},
    {"m10", "10m", 28'000'000, "10m.wav", "10 metres"},
}};

// The 6 m band, which only a TS-570S tunes: its button is in Station
// Controls, shown for that radio alone. No cue was ever recorded for it, and
// a cue that cannot be found sounds the alert that means something went
// wrong, so it plays none; its words say it.
inline constexpr Band sixMetres{"m6", "6m", 50'000'000, nullptr, "6 metres"};

namespace BandCues {
// A band's cue is named after the band: digits, then "m.wav".
constexpr bool namesABand(std::string_view cue)
{
    constexpr std::string_view tail = "m.wav";
    return cue.size() > tail.size() && cue.ends_with(tail) &&
           cue[cue.size() - tail.size() - 1] >= '0' && cue[cue.size() - tail.size() - 1] <= '9';
}

constexpr bool listedInAllCues(std::string_view cue)
{
    for (const char* listed : Cue::All)
        if (cue == listed)
            return true;
    return false;
}

constexpr bool aBandsCue(std::string_view cue)
{
    for (const Band& band : bands)
        if (cue == band.cue)
            return true;
    return false;
}

constexpr bool agree()
{
    for (const Band& band : bands)
        if (!namesABand(band.cue) || !listedInAllCues(band.cue))
            return false;
    for (const char* listed : Cue::All)
        if (namesABand(listed) && !aBandsCue(listed))
            return false;
    return true;
}
} // namespace BandCues

static_assert(
    BandCues::agree(),
    "every band's cue is in Cue::All, and Cue::All names no band cue the band table lacks");
