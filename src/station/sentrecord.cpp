#include "station/sentrecord.h"

#include "radio/commandwords.h"

#include <QStringList>

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
        m_channel.reset();
        break;
    case CatCommand::Kind::MemoryRecall:
        m_receiver = Receiver::Memory;
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
    for (auto it = m_frequency.begin(); it != m_frequency.end(); ++it)
        parts << vfoWords(it.key()) + QLatin1Char(' ') + megahertz(it.value());
    if (m_mode)
        parts << modeWords(*m_mode);
    parts << m_switches.values();
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
