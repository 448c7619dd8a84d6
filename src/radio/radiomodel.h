#pragma once

// The two radios Quillard drives and what sets them apart for the operator:
// the frequencies Quillard tunes their VFOs to. The TS-570D covers 500 kHz to
// 30 MHz; the TS-570S adds the 6 m band, 50 to 54 MHz. Both ends are
// included. (The S also receives between 30 and 50 and up to 60 MHz;
// Quillard keeps to the ranges both radios are sold for, HF and 6 m, so a
// typed 35 MHz on an S is taken for a mistyped 3.5 MHz rather than tuned.)
// Transmitting is the radio's to refuse outside its bands.
//
// Data flow: comN.conf's model= (session/portroute.h) -> the station as last
// sent (station/stationstate.h) -> what a typed frequency and the 6 m band
// may reach, and which schedule entries "On the Air Now" shows.

#include <QString>
#include <QtGlobal>

#include <array>

enum class RadioModel { TS570D, TS570S };

struct FrequencySpan {
    quint64 lowest; // hertz, included
    quint64 highest;
};

// One span, or two for the TS-570S (HF, then 6 m).
struct TuningRange {
    std::array<FrequencySpan, 2> spans;
    int count;
    constexpr bool contains(quint64 hertz) const
    {
        for (int i = 0; i < count; ++i)
            if (hertz >= spans[i].lowest && hertz <= spans[i].highest)
                return true;
        return false;
    }
};

constexpr TuningRange tuningRange(RadioModel model)
{
    constexpr FrequencySpan hf{500'000, 30'000'000};
    constexpr FrequencySpan sixMetreBand{50'000'000, 54'000'000};
    return model == RadioModel::TS570S ? TuningRange{{hf, sixMetreBand}, 2}
                                       : TuningRange{{hf, hf}, 1};
}

// "TS-570D", "TS-570S".
QString modelName(RadioModel model);
// "500 kHz to 30 MHz", "500 kHz to 30 MHz and 50 to 54 MHz".
QString rangeWords(const TuningRange& range);
