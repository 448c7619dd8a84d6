#include "replies.h"

namespace vradio::replies {

namespace {

QByteArray padded(qint64 value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0');
}

char digit(int value)
{
    return static_cast<char>('0' + value);
}

char flag(bool on)
{
    return on ? '1' : '0';
}

} // namespace

QByteArray information(const RadioState& s)
{
    const Receiver shown = s.shownSide();
    QByteArray reply = "IF";
    reply += padded(s.frequencyOf(shown), 11);
    reply += "     ";
    reply += s.ritOffset < 0 ? '-' : '+';
    reply += padded(qAbs(s.ritOffset), 4);
    reply += flag(s.rit);
    reply += flag(s.xit);
    reply += '0';
    reply += padded(s.memoryChannel, 2);
    reply += flag(s.transmitting);
    reply += digit(static_cast<int>(s.modeOf(shown)));
    reply += digit(static_cast<int>(shown));
    reply += flag(s.scanning);
    reply += flag(s.split());
    reply += flag(s.tone);
    reply += padded(s.toneNumber, 2);
    reply += " ;";
    return reply;
}

QByteArray memory(const RadioState& s, int half, int channel)
{
    const MemoryChannel& slot = s.memories[channel];
    QByteArray reply = "MR" + QByteArray(1, digit(half)) + ' ' + padded(channel, 2);
    if (!slot.stored)
        return reply + QByteArray(16, '0') + " ;";
    const bool transmitHalf = half == 1 && slot.split;
    reply += padded(transmitHalf ? slot.splitFrequency : slot.frequency, 11);
    reply += digit(static_cast<int>(transmitHalf ? slot.splitMode : slot.mode));
    reply += flag(slot.lockout);
    reply += flag(slot.tone);
    reply += padded(slot.toneNumber, 2);
    reply += " ;";
    return reply;
}

} // namespace vradio::replies
