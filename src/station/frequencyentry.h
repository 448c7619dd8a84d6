#pragma once

// What an operator types for a frequency or a RIT/XIT offset, read into
// hertz, or refused with a sentence that says why and how to type it.
//
// Frequencies, without a unit: kilohertz ("14074", "14074.5", "14,074.000"
// with commas between groups of three digits), or megahertz when the number
// is below 100 and has a decimal point ("14.074", "7.0305"). With a unit,
// any number: "14.074 MHz", "14074 kHz", "14074000 Hz" (any case, blank or
// none before it). The result is whole hertz, read digit by digit (no
// rounding), and within the radio's range (radio/radiomodel.h).
//
// Offsets: whole hertz with an optional sign and "Hz", in the radio's steps
// of 10 Hz, up to its limit either side.
//
// Data flow: a typed text -> readFrequency() -> hertz -> Station::tuneFrequency
// (and the transmit frequency); the box and the field show the problem.

#include "radio/radiomodel.h"

#include <QString>

#include <optional>

struct TypedFrequency {
    std::optional<quint64> hertz;
    QString problem; // empty when hertz holds the frequency
};

TypedFrequency readFrequency(const QString& typed, RadioModel model);

struct TypedOffset {
    std::optional<int> hertz;
    QString problem;
};

TypedOffset readOffset(const QString& typed);

// The accepted forms, as the box says them.
QString frequencyForms();
