#include "radio/catcommand.h"

#include "radio/filterwidths.h"

#include <QList>

#include <array>
#include <cstring>

namespace {
QByteArray digits(quint64 value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0', true);
}

struct SwitchCommand {
    ::Switch which;
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
        return {};
    Parameters parameters;
    parameters.vfo = vfo;
    parameters.hertz = hertz;
    return {(vfo == Vfo::A ? "FA" : "FB") + digits(hertz, 11) + ';', Kind::Frequency, parameters};
}

CatCommand CatCommand::receiveOn(::Receiver receiver)
{
    const int digit = static_cast<int>(receiver);
    if (digit < 0 || digit > 2)
        return {};
    Parameters parameters;
    parameters.receiver = receiver;
    return {"FR" + QByteArray::number(digit) + ';', Kind::Receiver, parameters};
}

CatCommand CatCommand::recallMemory(int channel)
{
    if (channel < 0 || channel > 99)
        return {};
    Parameters parameters;
    parameters.channel = channel;
    return {"MC " + digits(static_cast<quint64>(channel), 2) + ';', Kind::MemoryRecall, parameters};
}

CatCommand CatCommand::mode(::Mode mode)
{
    const int digit = static_cast<int>(mode);
    if (digit < 1 || digit > 6)
        return {};
    Parameters parameters;
    parameters.mode = mode;
    return {"MD" + QByteArray::number(digit) + ';', Kind::Mode, parameters};
}

CatCommand CatCommand::setSwitch(::Switch which, int setting)
{
    for (const SwitchCommand& command : switchCommands) {
        if (command.which == which && setting >= 0 && setting <= command.maxSetting) {
            Parameters parameters;
            parameters.which = which;
            parameters.setting = setting;
            return {command.name + digits(static_cast<quint64>(setting), command.width) + ';',
                    Kind::Switch, parameters};
        }
    }
    return {};
}

CatCommand CatCommand::antenna(int connector)
{
    if (connector != 1 && connector != 2)
        return {};
    Parameters parameters;
    parameters.connector = connector;
    return {"AN" + QByteArray::number(connector) + ';', Kind::Antenna, parameters};
}

CatCommand CatCommand::tuneAntenna()
{
    return {"AC 11;", Kind::Tuner};
}
CatCommand CatCommand::transmit()
{
    return {"TX;", Kind::Transmit};
}
CatCommand CatCommand::receive()
{
    return {"RX;", Kind::Receive};
}
CatCommand CatCommand::power(bool on)
{
    Parameters parameters;
    parameters.on = on;
    return {on ? "PS1;" : "PS0;", Kind::Power, parameters};
}
CatCommand CatCommand::frequencyUp()
{
    return {"UP;", Kind::FrequencyUp};
}
CatCommand CatCommand::frequencyDown()
{
    return {"DN;", Kind::FrequencyDown};
}
CatCommand CatCommand::partialReset()
{
    Parameters parameters;
    parameters.reset = ResetKind::Partial;
    return {"SR1;", Kind::Reset, parameters};
}
CatCommand CatCommand::fullReset()
{
    Parameters parameters;
    parameters.reset = ResetKind::Full;
    return {"SR2;", Kind::Reset, parameters};
}

CatCommand CatCommand::transmitOn(::Receiver transmitter)
{
    const int digit = static_cast<int>(transmitter);
    if (digit < 0 || digit > 2)
        return {};
    Parameters parameters;
    parameters.receiver = transmitter;
    return {"FT" + QByteArray::number(digit) + ';', Kind::Transmitter, parameters};
}
CatCommand CatCommand::rit(bool on)
{
    Parameters parameters;
    parameters.on = on;
    return {on ? "RT1;" : "RT0;", Kind::Rit, parameters};
}
CatCommand CatCommand::xit(bool on)
{
    Parameters parameters;
    parameters.on = on;
    return {on ? "XT1;" : "XT0;", Kind::Xit, parameters};
}
CatCommand CatCommand::clearOffset()
{
    return {"RC;", Kind::OffsetClear};
}
CatCommand CatCommand::offsetUp()
{
    return {"RU;", Kind::OffsetUp};
}
CatCommand CatCommand::offsetDown()
{
    return {"RD;", Kind::OffsetDown};
}

// The CW keyer.
CatCommand CatCommand::keyerSpeed(int wordsPerMinute)
{
    if (wordsPerMinute < keyerSlowestWpm || wordsPerMinute > keyerFastestWpm)
        return {};
    Parameters parameters;
    parameters.wordsPerMinute = wordsPerMinute;
    return {"KS" + digits(static_cast<quint64>(wordsPerMinute), 3) + ';', Kind::KeyerSpeed,
            parameters};
}

CatCommand CatCommand::keyerText(const QByteArray& text)
{
    if (text.isEmpty() || text.size() > keyerTextWidth)
        return {};
    for (char c : text) {
        if (!keyable(QLatin1Char(c)) || (c >= 'a' && c <= 'z'))
            return {};
    }
    Parameters parameters;
    parameters.keyed = text;
    return {"KY " + text.leftJustified(keyerTextWidth, ' ') + ';', Kind::KeyerText, parameters};
}

bool CatCommand::keyable(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9'))
        return true;
    return u < 0x80 && u != 0 && std::strchr(" .,?/=+-()'\":@", static_cast<char>(u)) != nullptr;
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
    Parameters parameters;
    parameters.channel = channel;
    return CatCommand("MW0 " + digits(static_cast<quint64>(channel), 2) + "000" +
                          frequencyEntry.toLatin1() + '0' + modeDigit.toLatin1() + "0001 ;",
                      Kind::MemoryWrite, parameters);
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

// Levels, the filter and the operator's own commands.

CatCommand CatCommand::levelCommand(const char* name, Kind kind, int value, int lowest, int highest)
{
    if (value < lowest || value > highest)
        return {};
    Parameters parameters;
    parameters.level = value;
    return {name + digits(static_cast<quint64>(value), 3) + ';', kind, parameters};
}

CatCommand CatCommand::afGain(int level)
{
    return levelCommand("AG", Kind::AfGain, level, 0, gainMax);
}
CatCommand CatCommand::rfGain(int level)
{
    return levelCommand("RG", Kind::RfGain, level, 0, gainMax);
}
CatCommand CatCommand::squelch(int level)
{
    return levelCommand("SQ", Kind::Squelch, level, 0, gainMax);
}
CatCommand CatCommand::transmitPower(int watts)
{
    return levelCommand("PC", Kind::TransmitPower, watts, powerMinWatts, powerMaxWatts);
}
CatCommand CatCommand::micGain(int level)
{
    return levelCommand("MG", Kind::MicGain, level, 0, micGainMax);
}

CatCommand CatCommand::ifShift(int hertz)
{
    if (hertz < -ifShiftLimitHertz || hertz > ifShiftLimitHertz)
        return {};
    Parameters parameters;
    parameters.level = hertz;
    // The radio wants the sign even for zero ("IS+0000;").
    return {QByteArray("IS") + (hertz < 0 ? '-' : '+') +
                digits(static_cast<quint64>(hertz < 0 ? -hertz : hertz), 4) + ';',
            Kind::IfShift, parameters};
}

CatCommand CatCommand::filterWidth(::Mode mode, int value)
{
    if (filterWords(mode, value).isEmpty())
        return {};
    Parameters parameters;
    parameters.mode = mode;
    parameters.level = value;
    return {"FW" + digits(static_cast<quint64>(value), 4) + ';', Kind::FilterWidth, parameters};
}

bool CatCommand::isBareAction(const QByteArray& name)
{
    // The commands without parameters that act rather than report.
    static const QList<QByteArray> actions = {"TX", "RX", "UP", "DN", "RC", "RU", "RD"};
    return actions.contains(name);
}

CatCommand CatCommand::operatorCommand(const QByteArray& text)
{
    if (text.size() < 3 || !text.endsWith(';'))
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < 0x20 || c > 0x7e)
            return {};
        if (c == ';' && i != text.size() - 1)
            return {};
        if (i < 2 && (c < 'A' || c > 'Z'))
            return {};
    }
    if (text.size() == 3 && !isBareAction(text.left(2)))
        return {};
    return {text, Kind::OperatorCommand};
}
