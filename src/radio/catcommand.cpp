#include "radio/catcommand.h"

#include <array>

namespace {
QByteArray digits(quint64 value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0', true);
}

struct SwitchCommand {
    Switch which;
    const char* name;
    int width;      // parameter digits
    int maxSetting; // highest setting the radio takes
};

constexpr std::array<SwitchCommand, 8> switchCommands = {{
    {Switch::NoiseBlanker, "NB", 1, 1},
    {Switch::NoiseReduction, "NR", 1, 2},
    {Switch::Attenuator, "RA", 2, 1},
    {Switch::Preamplifier, "PA", 1, 1},
    {Switch::Processor, "PR", 1, 1},
    {Switch::Vox, "VX", 1, 1},
    {Switch::Lock, "LK", 1, 1},
    {Switch::Scan, "SC", 1, 1},
}};
} // namespace

// Out-of-range arguments make the empty command rather than a text the radio
// was never meant to see (a truncated frequency, "NR3;"); SerialLink refuses to
// send it and says so.
CatCommand CatCommand::frequency(Vfo vfo, quint64 hertz)
{
    if (hertz > 99999999999ULL)
        return CatCommand({});
    return CatCommand((vfo == Vfo::A ? "FA" : "FB") + digits(hertz, 11) + ';');
}

CatCommand CatCommand::receiveOn(Receiver receiver)
{
    const int digit = static_cast<int>(receiver);
    if (digit < 0 || digit > 2)
        return CatCommand({});
    return CatCommand("FR" + QByteArray::number(digit) + ';');
}

CatCommand CatCommand::recallMemory(int channel)
{
    if (channel < 0 || channel > 99)
        return CatCommand({});
    return CatCommand("MC " + digits(static_cast<quint64>(channel), 2) + ';');
}

CatCommand CatCommand::mode(Mode mode)
{
    const int digit = static_cast<int>(mode);
    if (digit < 1 || digit > 6)
        return CatCommand({});
    return CatCommand("MD" + QByteArray::number(digit) + ';');
}

CatCommand CatCommand::setSwitch(Switch which, int setting)
{
    for (const SwitchCommand& command : switchCommands) {
        if (command.which == which && setting >= 0 && setting <= command.maxSetting)
            return CatCommand(command.name + digits(static_cast<quint64>(setting), command.width) +
                              ';');
    }
    return CatCommand({});
}

CatCommand CatCommand::antenna(int connector)
{
    if (connector != 1 && connector != 2)
        return CatCommand({});
    return CatCommand("AN" + QByteArray::number(connector) + ';');
}

CatCommand CatCommand::tuneAntenna()
{
    return CatCommand("AC 11;");
}
CatCommand CatCommand::transmit()
{
    return CatCommand("TX;");
}
CatCommand CatCommand::receive()
{
    return CatCommand("RX;");
}
CatCommand CatCommand::power(bool on)
{
    return CatCommand(on ? "PS1;" : "PS0;");
}
CatCommand CatCommand::frequencyUp()
{
    return CatCommand("UP;");
}
CatCommand CatCommand::frequencyDown()
{
    return CatCommand("DN;");
}
CatCommand CatCommand::partialReset()
{
    return CatCommand("SR1;");
}
CatCommand CatCommand::fullReset()
{
    return CatCommand("SR2;");
}

std::optional<CatCommand> CatCommand::memoryWrite(int channel, const QString& frequencyEntry,
                                                  const QString& modeDigit)
{
    if (channel < 0 || channel > 99)
        return std::nullopt;
    for (const QString* text : {&frequencyEntry, &modeDigit}) {
        for (QChar c : *text) {
            if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char(';'))
                return std::nullopt;
        }
    }
    return CatCommand("MW0 " + digits(static_cast<quint64>(channel), 2) + "000" +
                      frequencyEntry.toLatin1() + '0' + modeDigit.toLatin1() + "0001 ;");
}

std::optional<QString> CatCommand::modeDigitFor(const QString& modeWord)
{
    static constexpr std::array<const char*, 6> words = {"lsb", "usb", "cw", "fm", "am", "fsk"};
    for (size_t i = 0; i < words.size(); ++i) {
        const QString lower = QString::fromLatin1(words[i]);
        if (modeWord == lower || modeWord == lower.toUpper())
            return QString::number(i + 1);
    }
    return std::nullopt;
}
