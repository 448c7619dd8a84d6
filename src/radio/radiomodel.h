#pragma once

// The two radios Quillard drives and what sets them apart for the operator:
// the frequencies their VFOs take. The TS-570D receives from 500 kHz to
// 30 MHz; the TS-570S is a general-coverage receiver up to 60 MHz and
// transmits on 6 m (50 to 54 MHz) besides the HF bands. Both ends are
// included. Transmitting is the radio's to refuse outside its bands; Quillard
// only keeps a VFO inside what the radio can tune.
//
// Data flow: comN.conf's model= (session/portroute.h) -> the station as last
// sent (station/stationstate.h) -> what a typed frequency and the 6 m band
// may reach.

#include <QString>
#include <QtGlobal>

enum class RadioModel { TS570D, TS570S };

struct TuningRange {
    quint64 lowest; // hertz, included
    quint64 highest;
    bool contains(quint64 hertz) const { return hertz >= lowest && hertz <= highest; }
};

constexpr TuningRange tuningRange(RadioModel model)
{
    return model == RadioModel::TS570S ? TuningRange{500'000, 60'000'000}
                                       : TuningRange{500'000, 30'000'000};
}

// "TS-570D", "TS-570S".
QString modelName(RadioModel model);
// "500 kHz to 30 MHz".
QString rangeWords(const TuningRange& range);
