#include "ts570.h"

namespace vradio {

namespace {

// Fixed-width decimal field; anything but digits makes the command malformed.
std::optional<qint64> digits(QByteArrayView text, qsizetype pos, qsizetype width)
{
    if (pos < 0 || pos + width > text.size())
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = pos; i < pos + width; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool notUsedCharacter(char c)
{
    return static_cast<unsigned char>(c) >= 0x20 && c != ';';
}

QByteArray padded(qint64 value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0');
}

bool validFrequency(qint64 hz)
{
    return hz >= Ts570::MinFrequency && hz <= Ts570::MaxFrequency;
}

Outcome applied()
{
    return {};
}

Outcome answered(QByteArray reply)
{
    return {Outcome::Kind::Answered, std::move(reply)};
}

Outcome rejected()
{
    return {Outcome::Kind::Rejected, QByteArrayLiteral("?;")};
}

} // namespace

Outcome Ts570::execute(QByteArrayView command)
{
    if (command.size() < 3 || !command.endsWith(';'))
        return rejected();

    const QByteArrayView name = command.first(2);
    const QByteArrayView params = command.sliced(2, command.size() - 3);

    if (!m_state.powered) {
        if (name == "PS")
            return power(params);
        return {Outcome::Kind::IgnoredWhileOff, {}};
    }

    if (name == "FA")
        return frequency(m_state.vfoA, name, params);
    if (name == "FB")
        return frequency(m_state.vfoB, name, params);
    if (name == "FR")
        return receiver(params);
    if (name == "MC")
        return recall(params);
    if (name == "MW")
        return memoryWrite(params);
    if (name == "MD")
        return mode(params);
    if (name == "NB")
        return flag(name, params, m_state.noiseBlanker);
    if (name == "NR")
        return choice(name, params, m_state.noiseReduction, 0, 2, 1);
    if (name == "RA") {
        int on = m_state.attenuator ? 1 : 0;
        Outcome outcome = choice(name, params, on, 0, 1, 2);
        m_state.attenuator = on == 1;
        return outcome;
    }
    if (name == "PA")
        return flag(name, params, m_state.preamp);
    if (name == "PR")
        return flag(name, params, m_state.processor);
    if (name == "VX")
        return flag(name, params, m_state.vox);
    if (name == "LK")
        return flag(name, params, m_state.locked);
    if (name == "SC")
        return flag(name, params, m_state.scanning);
    if (name == "AN")
        return choice(name, params, m_state.antenna, 1, 2, 1);
    if (name == "AC")
        return tuner(params);
    if (name == "TX" || name == "RX") {
        if (!params.isEmpty())
            return rejected();
        m_state.transmitting = name == "TX";
        return applied();
    }
    if (name == "PS")
        return power(params);
    if (name == "SR")
        return reset(params);
    if (name == "UP")
        return step(params, +1);
    if (name == "DN")
        return step(params, -1);
    if (name == "ID" && params.isEmpty())
        return answered(QByteArrayLiteral("ID018;")); // TS-570S
    return rejected();
}

void Ts570::finishTuning()
{
    m_state.tuning = false;
}

Outcome Ts570::frequency(qint64& vfo, QByteArrayView name, QByteArrayView params)
{
    if (params.isEmpty())
        return answered(name.toByteArray() + padded(vfo, 11) + ';');
    const auto hz = params.size() == 11 ? digits(params, 0, 11) : std::nullopt;
    if (!hz || !validFrequency(*hz))
        return rejected();
    vfo = *hz;
    return applied();
}

Outcome Ts570::receiver(QByteArrayView params)
{
    int selected = static_cast<int>(m_state.receiver);
    const Outcome outcome = choice("FR", params, selected, 0, 2, 1);
    const auto wanted = static_cast<Receiver>(selected);
    if (wanted == Receiver::Memory && m_state.receiver != Receiver::Memory)
        recallChannel(m_state.memoryChannel);
    m_state.receiver = wanted;
    return outcome;
}

Outcome Ts570::recall(QByteArrayView params)
{
    if (params.isEmpty())
        return answered("MC " + padded(m_state.memoryChannel, 2) + ';');
    const auto channel =
        params.size() == 3 && notUsedCharacter(params[0]) ? digits(params, 1, 2) : std::nullopt;
    if (!channel || !m_state.memories[*channel].stored)
        return rejected();
    recallChannel(static_cast<int>(*channel));
    m_state.receiver = Receiver::Memory;
    return applied();
}

// MW P1 P2 CC FFFFFFFFFFF M L T NN P9 ; where P1 is 0 for the receive (or
// simplex) half and 1 for the transmit half of a split channel.
Outcome Ts570::memoryWrite(QByteArrayView params)
{
    if (params.size() != 21)
        return rejected();
    const auto half = digits(params, 0, 1);
    const auto channel = digits(params, 2, 2);
    const auto hz = digits(params, 4, 11);
    const auto modeDigit = digits(params, 15, 1);
    const auto lockout = digits(params, 16, 1);
    const auto tone = digits(params, 17, 1);
    const auto toneNumber = digits(params, 18, 2);
    if (!half || *half > 1 || !notUsedCharacter(params[1]) || !channel || !hz ||
        !validFrequency(*hz) || !modeDigit || *modeDigit < 1 || *modeDigit > 6 || !lockout ||
        *lockout > 1 || !tone || *tone > 1 || !toneNumber || *toneNumber < 1 || *toneNumber > 38 ||
        !notUsedCharacter(params[20]))
        return rejected();

    MemoryChannel& slot = m_state.memories[*channel];
    const auto mode = static_cast<Mode>(*modeDigit);
    if (*half == 1) {
        // A transmit half needs the channel it belongs to.
        if (!slot.stored)
            return rejected();
        slot.split = true;
        slot.splitFrequency = *hz;
        slot.splitMode = mode;
        return applied();
    }
    slot = MemoryChannel{};
    slot.stored = true;
    slot.frequency = *hz;
    slot.mode = mode;
    slot.lockout = *lockout == 1;
    slot.tone = *tone == 1;
    slot.toneNumber = static_cast<int>(*toneNumber);
    if (m_state.receiver == Receiver::Memory && m_state.memoryChannel == *channel)
        recallChannel(static_cast<int>(*channel));
    return applied();
}

Outcome Ts570::mode(QByteArrayView params)
{
    Mode* target = &m_state.modeA;
    if (m_state.receiver == Receiver::VfoB)
        target = &m_state.modeB;
    else if (m_state.receiver == Receiver::Memory)
        target = &m_state.memoryMode;
    int value = static_cast<int>(*target);
    const Outcome outcome = choice("MD", params, value, 1, 6, 1);
    *target = static_cast<Mode>(value);
    return outcome;
}

// AC P1 P2 P3 ; P1 is not used when setting, P2 puts the tuner in line and
// P3 starts tuning. The radio cannot tune with the tuner switched through.
Outcome Ts570::tuner(QByteArrayView params)
{
    if (params.isEmpty()) {
        const char inLine = m_state.tunerInLine ? '1' : '0';
        return answered(QByteArray("AC") + inLine + inLine + (m_state.tuning ? '1' : '0') + ';');
    }
    const auto inLine =
        params.size() == 3 && notUsedCharacter(params[0]) ? digits(params, 1, 1) : std::nullopt;
    const auto start = digits(params, 2, 1);
    if (!inLine || *inLine > 1 || !start || *start > 1)
        return rejected();
    m_state.tunerInLine = *inLine == 1;
    m_state.tuning = m_state.tunerInLine && *start == 1;
    return applied();
}

Outcome Ts570::power(QByteArrayView params)
{
    bool on = m_state.powered;
    const Outcome outcome = flag("PS", params, on);
    if (m_state.powered && !on) {
        m_state.transmitting = false;
        m_state.tuning = false;
        m_state.scanning = false;
    }
    m_state.powered = on;
    return outcome;
}

Outcome Ts570::reset(QByteArrayView params)
{
    if (params == "1") {
        const auto memories = m_state.memories;
        m_state = RadioState{};
        m_state.memories = memories;
        return applied();
    }
    if (params == "2") {
        m_state = RadioState{};
        return applied();
    }
    return rejected();
}

Outcome Ts570::step(QByteArrayView params, int direction)
{
    if (!params.isEmpty())
        return rejected();
    if (m_state.locked)
        return applied();

    if (m_state.receiver == Receiver::Memory) {
        for (int i = 1; i < MemoryChannelCount; ++i) {
            const int channel =
                (m_state.memoryChannel + direction * i + MemoryChannelCount) % MemoryChannelCount;
            if (m_state.memories[channel].stored) {
                recallChannel(channel);
                break;
            }
        }
        return applied();
    }

    qint64& vfo = m_state.receiver == Receiver::VfoB ? m_state.vfoB : m_state.vfoA;
    const qint64 next = vfo + direction * MicStep;
    if (validFrequency(next))
        vfo = next;
    return applied();
}

Outcome Ts570::flag(QByteArrayView name, QByteArrayView params, bool& field)
{
    int value = field ? 1 : 0;
    const Outcome outcome = choice(name, params, value, 0, 1, 1);
    field = value == 1;
    return outcome;
}

Outcome Ts570::choice(QByteArrayView name, QByteArrayView params, int& field, int min, int max,
                      int width)
{
    if (params.isEmpty())
        return answered(name.toByteArray() + padded(field, width) + ';');
    const auto value = params.size() == width ? digits(params, 0, width) : std::nullopt;
    if (!value || *value < min || *value > max)
        return rejected();
    field = static_cast<int>(*value);
    return applied();
}

void Ts570::recallChannel(int channel)
{
    m_state.memoryChannel = channel;
    const MemoryChannel& slot = m_state.memories[channel];
    m_state.memoryValid = slot.stored;
    m_state.memoryFrequency = slot.frequency;
    m_state.memoryMode = slot.mode;
}

} // namespace vradio
