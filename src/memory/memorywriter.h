#pragma once

// What "Write to radio" does with one channel of the sheet. The mode digit of
// a channel is remembered for the life of the memory window: a recognised mode
// word sets it, anything else (an empty box, "ssb", "Usb") keeps the digit of
// the last recognised word. A channel with an empty frequency sends nothing.
// A channel that would make a command the radio cannot take (no mode digit
// yet, or a character that would break the command's framing) is skipped and
// named to the operator once after the write.

#include "radio/catcommand.h"

#include <QList>
#include <QString>

#include <optional>

struct ChannelWrite {
    enum class Outcome { Empty, Send, NoMode, UnsafeText };
    Outcome outcome = Outcome::Empty;
    std::optional<CatCommand> command; // set for Send
};

ChannelWrite planChannelWrite(int channel, const QString& frequency, const QString& mode,
                              QString& modeCode);

// "Channel 05", "Channels 01 and 04", "Channels 00 to 09, 12 and 45".
QString channelList(const QList<int>& channels);

// The one message after a write that skipped channels; empty when none was skipped.
QString skippedChannelsMessage(const QList<int>& withoutMode, const QList<int>& withUnsafeText);
