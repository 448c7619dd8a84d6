#include "radio/commandwords.h"

#include <QStringList>

#include <array>

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
} // namespace

QString megahertz(quint64 hertz)
{
    return QStringLiteral("%1.%2 MHz")
        .arg(hertz / 1'000'000)
        .arg((hertz / 1000) % 1000, 3, 10, QLatin1Char('0'));
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

QString commandWords(const QList<CatCommand>& commands)
{
    QStringList words;
    QString receiver;
    for (const CatCommand& command : commands) {
        switch (command.kind()) {
        case CatCommand::Kind::None:
            break; // never sent: the link says so
        case CatCommand::Kind::Receiver:
            receiver = receiverWords(command.receiver());
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
        }
    }
    if (!receiver.isEmpty())
        words.prepend(receiver);
    return words.join(QStringLiteral(", "));
}
