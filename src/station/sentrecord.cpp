#include "station/sentrecord.h"

#include "radio/commandwords.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {
// The switches and power take these places in the summary (the order of
// their command names: LK, NB, NR, PA, PR, PS, RA, SC, VX).
constexpr std::array<Switch, switchCount> switchOrder = {
    Switch::Lock,      Switch::NoiseBlanker, Switch::NoiseReduction, Switch::Preamplifier,
    Switch::Processor, Switch::Attenuator,   Switch::Scan,           Switch::Vox};
constexpr int powerPlace = 5;

int placeOf(Switch which)
{
    int place = 0;
    while (switchOrder[static_cast<std::size_t>(place)] != which)
        ++place;
    return place < powerPlace ? place : place + 1;
}

// "Noise blanker" as it reads inside a sentence; "RF attenuator" and "VOX" keep their capitals.
QString inSentence(QString words)
{
    if (words.size() > 1 && words[1].isLower())
        words[0] = words[0].toLower();
    return words;
}
} // namespace

void SentRecord::add(const CatCommand& command)
{
    switch (command.kind()) {
    case CatCommand::Kind::Receiver:
        m_receiver = command.receiver();
        m_transmitter = command.receiver();
        m_channel.reset();
        break;
    case CatCommand::Kind::Transmitter:
        m_transmitter = command.receiver();
        break;
    case CatCommand::Kind::Rit:
        m_rit = command.on();
        break;
    case CatCommand::Kind::Xit:
        m_xit = command.on();
        break;
    case CatCommand::Kind::OffsetClear:
        m_offset = 0;
        break;
    case CatCommand::Kind::OffsetUp:
    case CatCommand::Kind::OffsetDown:
        if (m_offset)
            m_offset = std::clamp(*m_offset + (command.kind() == CatCommand::Kind::OffsetUp
                                                   ? CatCommand::offsetStepHertz
                                                   : -CatCommand::offsetStepHertz),
                                  -CatCommand::offsetLimitHertz, CatCommand::offsetLimitHertz);
        break;
    case CatCommand::Kind::MemoryRecall:
        m_receiver = Receiver::Memory;
        m_transmitter = Receiver::Memory;
        m_channel = command.channel();
        break;
    case CatCommand::Kind::Frequency:
        m_frequency[command.vfo()] = command.hertz();
        break;
    case CatCommand::Kind::Mode:
        m_mode = command.mode();
        break;
    case CatCommand::Kind::Switch:
        m_switches[placeOf(command.switchName())] =
            inSentence(switchWords(command.switchName())) + QLatin1Char(' ') +
            settingWords(command.switchName(), command.setting());
        break;
    case CatCommand::Kind::Power:
        m_switches[powerPlace] =
            command.on() ? QStringLiteral("power on") : QStringLiteral("power off");
        break;
    default:
        break; // the rest leave nothing to tell afterwards
    }
}

QString SentRecord::receiverWords() const
{
    if (!m_receiver)
        return {};
    if (*m_receiver != Receiver::Memory)
        return vfoWords(*m_receiver == Receiver::VfoB ? Vfo::B : Vfo::A);
    if (m_channel)
        return QStringLiteral("memory ") + channelWords(*m_channel);
    return QStringLiteral("memory");
}

QString SentRecord::summary() const
{
    QStringList parts;
    if (m_receiver)
        parts << QStringLiteral("receiver ") + receiverWords();
    if (m_transmitter && m_transmitter != m_receiver)
        parts << QStringLiteral("transmitter ") +
                     (*m_transmitter == Receiver::Memory
                          ? QStringLiteral("memory")
                          : vfoWords(*m_transmitter == Receiver::VfoB ? Vfo::B : Vfo::A));
    for (auto it = m_frequency.begin(); it != m_frequency.end(); ++it)
        parts << vfoWords(it.key()) + QLatin1Char(' ') + megahertz(it.value());
    if (m_mode)
        parts << modeWords(*m_mode);
    parts << m_switches.values();
    if (m_rit)
        parts << (*m_rit ? QStringLiteral("RIT on") : QStringLiteral("RIT off"));
    if (m_xit)
        parts << (*m_xit ? QStringLiteral("XIT on") : QStringLiteral("XIT off"));
    if (m_offset)
        parts << QStringLiteral("offset ") + offsetWords(*m_offset);
    if (parts.isEmpty())
        return QStringLiteral("Nothing sent yet");
    return QStringLiteral("Last sent: ") + parts.join(QStringLiteral(", "));
}

QString SentRecord::brief() const
{
    QStringList parts;
    if (m_receiver)
        parts << receiverWords();
    const Vfo vfo = m_receiver == Receiver::VfoB ? Vfo::B : Vfo::A;
    if (m_receiver != Receiver::Memory && m_frequency.contains(vfo))
        parts << megahertz(m_frequency.value(vfo));
    if (m_mode)
        parts << modeWords(*m_mode);
    if (parts.isEmpty())
        return {};
    return QStringLiteral("last sent: ") + parts.join(QStringLiteral(", "));
}
