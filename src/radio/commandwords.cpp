#include "radio/commandwords.h"

#include "radio/filterwidths.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
// The radio's own switches, in the words an operator says, in the order of Switch.
constexpr std::array<const char*, switchCount> switchNames = {
    "Noise blanker", "Noise reduction", "RF attenuator", "Preamplifier", "Speech processor",
    "VOX",           "Frequency lock",  "Scan"};

QString receiverWords(Receiver receiver)
{
    switch (receiver) {
    case Receiver::VfoA:
        return vfoWords(Vfo::A);
    case Receiver::VfoB:
        return vfoWords(Vfo::B);
    case Receiver::Memory:
        break;
    }
    return QStringLiteral("Memory mode");
}

// Where a split receives and transmits: "A", "B", "memory".
QString sideWords(Receiver receiver)
{
    switch (receiver) {
    case Receiver::VfoA:
        return QStringLiteral("A");
    case Receiver::VfoB:
        return QStringLiteral("B");
    case Receiver::Memory:
        break;
    }
    return QStringLiteral("memory");
}

QString transmitterWords(Receiver transmitter, std::optional<Receiver> receiver)
{
    if (!receiver)
        return QStringLiteral("Transmit on ") + (transmitter == Receiver::Memory
                                                     ? QStringLiteral("memory")
                                                     : receiverWords(transmitter));
    if (*receiver == transmitter)
        return QStringLiteral("Split off: receive and transmit ") + sideWords(transmitter);
    return QStringLiteral("Split on: receive %1, transmit %2")
        .arg(sideWords(*receiver), sideWords(transmitter));
}

// A run of RIT/XIT offset commands (RC, RU, RD) said as one: where the
// offset ends when where it started is known (after RC, or from what was
// sent before), else how far it moved.
class OffsetRun {
public:
    explicit OffsetRun(std::optional<int> before) : m_offset(before) {}

    bool active() const { return m_commands > 0; }

    void add(CatCommand::Kind kind)
    {
        ++m_commands;
        if (kind == CatCommand::Kind::OffsetClear) {
            m_offset = 0;
            m_moved = 0;
            m_cleared = true;
            return;
        }
        const int step = kind == CatCommand::Kind::OffsetUp ? CatCommand::offsetStepHertz
                                                            : -CatCommand::offsetStepHertz;
        m_moved += step;
        if (m_offset)
            m_offset = std::clamp(*m_offset + step, -CatCommand::offsetLimitHertz,
                                  CatCommand::offsetLimitHertz);
    }

    // The run's words, said after "RIT on" (afterSwitch) or on their own.
    QString words(bool afterSwitch)
    {
        QString said;
        if (m_cleared && m_moved == 0)
            said = QStringLiteral("offset cleared");
        else if (m_offset)
            said = offsetWords(*m_offset);
        else
            said = QStringLiteral("offset %1 %2 Hz")
                       .arg(m_moved >= 0 ? QStringLiteral("up") : QStringLiteral("down"))
                       .arg(std::abs(m_moved));
        m_commands = 0;
        m_moved = 0;
        m_cleared = false;
        if (afterSwitch)
            return said;
        if (said.startsWith(QLatin1String("offset")))
            return QStringLiteral("O") + said.mid(1);
        return QStringLiteral("Offset ") + said;
    }

private:
    std::optional<int> m_offset;
    int m_moved = 0;
    int m_commands = 0;
    bool m_cleared = false;
};
} // namespace

QString levelWords(const CatCommand& command)
{
    const int level = command.level();
    switch (command.kind()) {
    case CatCommand::Kind::AfGain:
        return QStringLiteral("AF gain %1 as sent").arg(level);
    case CatCommand::Kind::RfGain:
        return QStringLiteral("RF gain %1 as sent").arg(level);
    case CatCommand::Kind::Squelch:
        return QStringLiteral("Squelch %1 as sent").arg(level);
    case CatCommand::Kind::TransmitPower:
        return QStringLiteral("Power %1 watts as sent").arg(level);
    case CatCommand::Kind::MicGain:
        return QStringLiteral("Microphone gain %1 as sent").arg(level);
    case CatCommand::Kind::IfShift:
        return QStringLiteral("IF shift %1 as sent").arg(offsetWords(level));
    case CatCommand::Kind::FilterWidth:
        return QStringLiteral("Filter %1 as sent").arg(filterWords(command.mode(), level));
    default:
        break;
    }
    return {};
}

QString megahertz(quint64 hertz)
{
    QString fraction = QString::number(hertz % 1'000'000).rightJustified(6, QLatin1Char('0'));
    while (fraction.size() > 3 && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    return QStringLiteral("%1.%2 MHz").arg(hertz / 1'000'000).arg(fraction);
}

QString offsetWords(int hertz)
{
    if (hertz > 0)
        return QStringLiteral("plus %1 Hz").arg(hertz);
    if (hertz < 0)
        return QStringLiteral("minus %1 Hz").arg(-hertz);
    return QStringLiteral("0 Hz");
}

QString vfoWords(Vfo vfo)
{
    return vfo == Vfo::B ? QStringLiteral("VFO B") : QStringLiteral("VFO A");
}

QString modeWords(Mode mode)
{
    static constexpr std::array<const char*, 6> words = {"LSB", "USB", "CW", "FM", "AM", "FSK"};
    const int digit = static_cast<int>(mode);
    return digit >= 1 && digit <= 6 ? QString::fromLatin1(words[digit - 1]) : QString();
}

QString channelWords(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

QString switchWords(Switch which)
{
    return QString::fromLatin1(switchNames[static_cast<std::size_t>(which)]);
}

QString settingWords(Switch which, int setting)
{
    if (setting == 0)
        return QStringLiteral("off");
    if (which == Switch::NoiseReduction)
        return QStringLiteral("on, level %1").arg(setting);
    return QStringLiteral("on");
}

// The CW keyer.
QString keyerSpeedWords(int wordsPerMinute)
{
    return QStringLiteral("CW speed %1 words per minute").arg(wordsPerMinute);
}

QString commandWords(const QList<CatCommand>& commands, const SentBefore& before)
{
    QStringList words;
    QString receiver;
    std::optional<Receiver> receiving = before.receiver;
    OffsetRun offset(before.offsetHertz);
    bool afterOffsetSwitch = false;
    // The operator's own commands in a row are said as one: "Sent PC005; MD3;".
    QStringList typed;
    const auto sayTyped = [&words, &typed] {
        if (!typed.isEmpty())
            words << QStringLiteral("Sent ") + typed.join(QLatin1Char(' '));
        typed.clear();
    };
    for (const CatCommand& command : commands) {
        const CatCommand::Kind kind = command.kind();
        if (kind == CatCommand::Kind::OperatorCommand) {
            typed << QString::fromLatin1(command.text());
            continue;
        }
        sayTyped();
        const bool offsetCommand = kind == CatCommand::Kind::OffsetClear ||
                                   kind == CatCommand::Kind::OffsetUp ||
                                   kind == CatCommand::Kind::OffsetDown;
        if (offsetCommand) {
            offset.add(kind);
            continue;
        }
        if (offset.active()) {
            words << offset.words(afterOffsetSwitch);
            afterOffsetSwitch = false;
        }
        if (kind != CatCommand::Kind::None)
            afterOffsetSwitch = false;
        switch (kind) {
        case CatCommand::Kind::None:
            break; // never sent: the link says so
        case CatCommand::Kind::Receiver:
            receiver = receiverWords(command.receiver());
            receiving = command.receiver();
            break;
        case CatCommand::Kind::Transmitter:
            words << transmitterWords(command.receiver(), receiving);
            if (receiving)
                receiver.clear();
            break;
        case CatCommand::Kind::Frequency:
            words << vfoWords(command.vfo()) << megahertz(command.hertz());
            receiver.clear();
            break;
        case CatCommand::Kind::MemoryRecall:
            words << QStringLiteral("Memory %1 recalled").arg(channelWords(command.channel()));
            receiver.clear();
            break;
        case CatCommand::Kind::Mode:
            words << modeWords(command.mode());
            break;
        case CatCommand::Kind::Switch:
            words << switchWords(command.switchName()) + QLatin1Char(' ') +
                         settingWords(command.switchName(), command.setting());
            break;
        case CatCommand::Kind::Antenna:
            words << QStringLiteral("Antenna %1").arg(command.connector());
            break;
        case CatCommand::Kind::Tuner:
            words << QStringLiteral("Antenna tuner started");
            break;
        case CatCommand::Kind::Transmit:
            words << QStringLiteral("Transmitting");
            break;
        case CatCommand::Kind::Receive:
            words << QStringLiteral("Receiving");
            break;
        case CatCommand::Kind::Power:
            words << (command.on() ? QStringLiteral("Radio switched on")
                                   : QStringLiteral("Radio switched off"));
            break;
        case CatCommand::Kind::FrequencyUp:
            words << QStringLiteral("Frequency up");
            break;
        case CatCommand::Kind::FrequencyDown:
            words << QStringLiteral("Frequency down");
            break;
        case CatCommand::Kind::Reset:
            words << (command.reset() == ResetKind::Full ? QStringLiteral("Full reset sent")
                                                         : QStringLiteral("Partial reset sent"));
            break;
        case CatCommand::Kind::MemoryWrite:
            words << QStringLiteral("Memory %1 written").arg(channelWords(command.channel()));
            break;
        case CatCommand::Kind::Rit:
        case CatCommand::Kind::Xit:
            words << QStringLiteral("%1 %2").arg(
                kind == CatCommand::Kind::Rit ? QStringLiteral("RIT") : QStringLiteral("XIT"),
                command.on() ? QStringLiteral("on") : QStringLiteral("off"));
            afterOffsetSwitch = command.on();
            break;
        case CatCommand::Kind::OffsetClear:
        case CatCommand::Kind::OffsetUp:
        case CatCommand::Kind::OffsetDown:
        case CatCommand::Kind::OperatorCommand:
            break; // gathered above
        case CatCommand::Kind::AfGain:
        case CatCommand::Kind::RfGain:
        case CatCommand::Kind::Squelch:
        case CatCommand::Kind::TransmitPower:
        case CatCommand::Kind::MicGain:
        case CatCommand::Kind::IfShift:
        case CatCommand::Kind::FilterWidth:
            words << levelWords(command);
            break;
        // The CW keyer.
        case CatCommand::Kind::KeyerSpeed:
            words << keyerSpeedWords(command.wordsPerMinute());
            break;
        case CatCommand::Kind::KeyerText:
            words << QStringLiteral("CW: ") + QString::fromLatin1(command.keyedText()).trimmed();
            break;
        }
    }
    sayTyped();
    if (offset.active())
        words << offset.words(afterOffsetSwitch);
    if (!receiver.isEmpty())
        words.prepend(receiver);
    return words.join(QStringLiteral(", "));
}
