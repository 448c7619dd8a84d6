#pragma once

// What the panel last sent, for the front panel picture to tell a screen
// reader: the last command of each kind (receiver, each VFO's frequency, the
// mode, each switch, power; split, RIT, XIT and their offset), in the words
// of radio/commandwords.h. Each
// command is recorded from its typed meaning as it is sent.

#include "radio/catcommand.h"

#include <QMap>
#include <QString>

#include <optional>

class SentRecord {
public:
    void add(const CatCommand& command);
    // "Last sent: receiver VFO A, VFO A 14.000 MHz, USB, noise blanker off",
    // or "Nothing sent yet". A transmitter apart from the receiver (split)
    // follows the receiver; RIT, XIT and the offset come last.
    QString summary() const;
    // The receiver, its frequency and the mode: "last sent: VFO A, 14.000 MHz,
    // USB", or empty.
    QString brief() const;

private:
    QString receiverWords() const; // "VFO A", "memory", "memory 05"

    std::optional<Receiver> m_receiver;
    std::optional<int> m_channel; // recalled since the receiver was last chosen
    QMap<Vfo, quint64> m_frequency;
    std::optional<Mode> m_mode;
    QMap<int, QString> m_switches; // by place in the summary, in its words
    // A receiver command moves the transmitter with it.
    std::optional<Receiver> m_transmitter;
    std::optional<bool> m_rit;
    std::optional<bool> m_xit;
    std::optional<int> m_offset; // known from the last clear on
};
