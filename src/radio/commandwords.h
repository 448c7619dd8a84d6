#pragma once

// Commands in the words an operator hears. What an action sent is said right
// after the key: "FR0;" "FA00014000000;" is "VFO A, 14.000 MHz", "NB1;" is
// "Noise blanker on", "NR2;" "Noise reduction on, level 2", "FR2;" "MC 05;"
// "Memory 05 recalled", "PS0;" "Radio switched off". The words come from each
// command's typed meaning (catcommand.h), never from its text; what the
// commands alone cannot know (that 14.000 MHz was the 20 m band button) the
// action that sent them adds in front.
//
// The pieces are also what the record of what was sent is written with.

#include "radio/catcommand.h"

#include <QList>
#include <QString>

#include <optional>

// What was sent before the commands, where their words depend on it: a
// transmitter choice is split or not by where the radio receives; RIT/XIT
// steps land on the offset they started from.
struct SentBefore {
    std::optional<Receiver> receiver;
    std::optional<int> offsetHertz;
};

// The words for the commands one action sent, in order; empty if none. A
// receiver choice is said first, and not at all when a frequency, a memory
// recall or a transmitter choice that follows says where the radio now is.
// "FR0;" "FT1;" is "Split on: receive A, transmit B"; "RT1;" "RC;" and twelve
// "RU;" are "RIT on, plus 120 Hz".
QString commandWords(const QList<CatCommand>& commands, const SentBefore& before = {});

// A level or the filter: "Power 50 watts as sent", "AF gain 128 as sent",
// "IF shift minus 300 Hz as sent", "Filter 500 Hz as sent"; empty for other
// kinds.
QString levelWords(const CatCommand& command);

// "14.000 MHz", "14.0745 MHz": every digit down to the hertz that is not a
// trailing zero, and at least the kilohertz.
QString megahertz(quint64 hertz);
// The RIT/XIT offset: "plus 120 Hz", "minus 50 Hz", "0 Hz".
QString offsetWords(int hertz);
QString vfoWords(Vfo vfo);         // "VFO A"
QString modeWords(Mode mode);      // "USB"
QString channelWords(int channel); // "05"
QString switchWords(Switch which); // "Noise blanker", "RF attenuator", "VOX"
// "on", "off", and for the noise reduction "on, level 1" or "on, level 2".
QString settingWords(Switch which, int setting);

// The CW keyer: "CW speed 25 words per minute".
QString keyerSpeedWords(int wordsPerMinute);
