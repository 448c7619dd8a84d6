#pragma once

// The filters the radio offers in each mode, and the "FW" value that selects
// each one. The radio keeps the filter a value falls on, so Quillard sends
// exactly the value of the filter the operator chose: in CW eleven widths from
// 50 Hz to 2 kHz, in FSK four from 250 Hz to 1.5 kHz, and in SSB, AM and FM
// the narrow (FW0000) or the wide (FW0001) filter.
//
// Data flow: the mode as sent -> filterChoices() -> the filter control's list
// -> CatCommand::filterWidth() -> commandWords() says it with filterWords().

#include "radio/catcommand.h"

#include <QString>

#include <span>

// The modes that share one list of filters.
enum class FilterFamily { Cw, Fsk, Voice };
inline constexpr int filterFamilyCount = 3;

struct FilterChoice {
    int value;         // the four digits of "FW0500;"
    const char* words; // "500 Hz", "narrow"
};

FilterFamily filterFamily(Mode mode);
std::span<const FilterChoice> filterChoices(Mode mode);
// "500 Hz", "wide"; empty for a value the mode does not offer.
QString filterWords(Mode mode, int value);
