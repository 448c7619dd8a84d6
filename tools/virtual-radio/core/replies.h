#pragma once

#include "radiostate.h"

#include <QByteArray>

namespace vradio::replies {

// The radio's two long answers, laid out as the TS-570 sends them.
//
// IF, 38 bytes:
//   IF ffffffffff f  _____  ±oooo  r x 0 cc t m v s p T nn _ ;
//   frequency (11 digits: the transmit side while transmitting split),
//   5 blanks, RIT/XIT offset (sign and 4 digits), RIT, XIT, 0, memory
//   channel (2), transmitting, mode, VFO/memory (as FR), scan, split, tone,
//   tone number (2), one blank.
QByteArray information(const RadioState& state);

// MR, 24 bytes: MR h _ cc fffffffffff m l t nn _ ;
//   half (0 receive, 1 transmit), a blank, channel, frequency (11), mode,
//   lockout, tone, tone number, a blank. An empty channel reads as zeros; the
//   transmit half of a simplex channel repeats its receive half.
QByteArray memory(const RadioState& state, int half, int channel);

} // namespace vradio::replies
