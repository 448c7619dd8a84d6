#include "ts570.h"

#include "replies.h"

#include <cstddef>

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

bool validMode(qint64 digit)
{
    return (digit >= 1 && digit <= 7) || digit == 9;
}

// Control characters are skipped and the command letters taken in either
// case; parameters stay as sent (the blanks of MC, AC and MW matter).
QByteArray normalised(QByteArrayView command)
{
    QByteArray text;
    text.reserve(command.size());
    for (const char c : command) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f)
            text.append(c);
    }
    for (qsizetype i = 0; i < qMin<qsizetype>(2, text.size()); ++i) {
        if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

// Settings that are one fixed-width number, set and read alike.
struct Level {
    const char* name;
    int RadioState::*field;
    int width;
    int min;
    int max;
};

constexpr Level levels[] = {
    {"PC", &RadioState::outputPower, 3, 5, 100},  {"AG", &RadioState::afGain, 3, 0, 255},
    {"RG", &RadioState::rfGain, 3, 0, 255},       {"SQ", &RadioState::squelch, 3, 0, 255},
    {"MG", &RadioState::micGain, 3, 0, 100},      {"KS", &RadioState::keySpeed, 3, 10, 60},
    {"SL", &RadioState::slopeLow, 2, 0, 11},      {"SH", &RadioState::slopeHigh, 2, 0, 11},
    {"NR", &RadioState::noiseReduction, 1, 0, 2}, {"AN", &RadioState::antenna, 1, 1, 2},
    {"TN", &RadioState::toneNumber, 2, 1, 38},    {"GT", &RadioState::agc, 3, 0, 255},
};

// On/off switches: "NB1;" sets, "NB;" answers "NB1;".
struct Switch {
    const char* name;
    bool RadioState::*field;
};

constexpr Switch switches[] = {
    {"NB", &RadioState::noiseBlanker}, {"PA", &RadioState::preamp},
    {"PR", &RadioState::processor},    {"VX", &RadioState::vox},
    {"LK", &RadioState::locked},       {"SC", &RadioState::scanning},
    {"RT", &RadioState::rit},          {"XT", &RadioState::xit},
    {"BC", &RadioState::beatCancel},   {"TO", &RadioState::tone},
    {"CT", &RadioState::ctcss},        {"AI", &RadioState::autoInformation},
};

// The filters FW chooses among, from the radio's manual: a value from
// `from` up to the next step's keeps `filter` (Hz).
struct FilterStep {
    int from;
    int filter;
};

constexpr FilterStep cwFilters[] = {
    {0, 50},    {80, 80},   {100, 100}, {150, 150},   {200, 200},   {300, 300},
    {400, 400}, {500, 500}, {600, 600}, {1000, 1000}, {2000, 2000},
};
constexpr FilterStep fskFilters[] = {{0, 250}, {500, 500}, {1000, 1000}, {1500, 1500}};

template <std::size_t N> int filterFor(const FilterStep (&steps)[N], int value)
{
    int filter = steps[0].filter;
    for (const FilterStep& step : steps) {
        if (value >= step.from)
            filter = step.filter;
    }
    return filter;
}

} // namespace

Outcome Ts570::execute(QByteArrayView received)
{
    const QByteArray command = normalised(received);
    const bool wellFormed = command.size() >= 3 && command.endsWith(';');
    const QByteArrayView name = wellFormed ? QByteArrayView(command).first(2) : QByteArrayView();
    const QByteArrayView params =
        wellFormed ? QByteArrayView(command).sliced(2, command.size() - 3) : QByteArrayView();

    if (!m_state.powered) {
        // Switched off, the radio still says who it is and whether it is on;
        // the rest, and the bare ";" clients send to wake it, go unheard.
        if (name == "PS")
            return power(params);
        if (name == "ID")
            return dispatch(name, params);
        return {Outcome::Kind::IgnoredWhileOff, {}};
    }
    if (!wellFormed)
        return rejected();

    if (!m_state.autoInformation)
        return dispatch(name, params);

    const QByteArray informationBefore = replies::information(m_state);
    const RadioState before = m_state;
    Outcome outcome = dispatch(name, params);
    if (outcome.kind == Outcome::Kind::Applied && m_state.autoInformation)
        outcome.reply = report(name, informationBefore, before);
    return outcome;
}

QByteArray Ts570::report(QByteArrayView name, const QByteArray& informationBefore,
                         const RadioState& before)
{
    if (m_state == before || !m_state.powered)
        return {};
    QByteArray now = replies::information(m_state);
    if (now != informationBefore)
        return now;
    const Outcome read = dispatch(name, {});
    return read.kind == Outcome::Kind::Answered ? read.reply : QByteArray();
}

Outcome Ts570::dispatch(QByteArrayView name, QByteArrayView params)
{
    for (const Switch& entry : switches) {
        if (name == entry.name)
            return flag(name, params, m_state.*entry.field);
    }
    for (const Level& entry : levels) {
        if (name == entry.name)
            return choice(name, params, m_state.*entry.field, entry.min, entry.max, entry.width);
    }

    if (name == "FA")
        return frequency(m_state.vfoA, name, params);
    if (name == "FB")
        return frequency(m_state.vfoB, name, params);
    if (name == "FR")
        return receiver(params);
    if (name == "FT")
        return transmitter(params);
    if (name == "IF")
        return information(params);
    if (name == "MC")
        return recall(params);
    if (name == "MW")
        return memoryWrite(params);
    if (name == "MR")
        return memoryRead(params);
    if (name == "MD")
        return mode(params);
    if (name == "RA") {
        int on = m_state.attenuator ? 1 : 0;
        Outcome outcome = choice(name, params, on, 0, 1, 2);
        m_state.attenuator = on == 1;
        return outcome;
    }
    if (name == "AC")
        return tuner(params);
    if (name == "TX" || name == "RX") {
        // "TX0;" is the microphone's transmit, as plain "TX;".
        if (!params.isEmpty() && !(name == "TX" && params == "0"))
            return rejected();
        m_state.transmitting = name == "TX";
        return applied();
    }
    if (name == "RC") {
        if (!params.isEmpty())
            return rejected();
        m_state.ritOffset = 0;
        return applied();
    }
    if (name == "RU")
        return ritStep(params, +1);
    if (name == "RD")
        return ritStep(params, -1);
    if (name == "RM")
        return meter(params);
    if (name == "IS")
        return ifShift(params);
    if (name == "FW")
        return filterWidth(params);
    if (name == "KY")
        return keying(params);
    if (name == "SM")
        return readOnly(params, "SM" + padded(m_state.transmitting ? 0 : m_state.sMeter, 4) + ';');
    if (name == "BY")
        return readOnly(params, QByteArrayLiteral("BY0;"));
    if (name == "PS")
        return power(params);
    if (name == "SR")
        return reset(params);
    if (name == "UP")
        return step(params, +1);
    if (name == "DN")
        return step(params, -1);
    if (name == "ID")
        return readOnly(params, m_model == Model::D ? QByteArrayLiteral("ID017;")
                                                    : QByteArrayLiteral("ID018;"));
    return rejected();
}

bool Ts570::validFrequency(qint64 hz) const
{
    return hz >= MinFrequency && hz <= (m_model == Model::D ? MaxFrequencyD : MaxFrequency);
}

Outcome Ts570::readOnly(QByteArrayView params, QByteArray reply)
{
    if (!params.isEmpty())
        return rejected();
    return answered(std::move(reply));
}

Outcome Ts570::information(QByteArrayView params)
{
    return readOnly(params, replies::information(m_state));
}

// MR P1 P2 P3 ; half, a blank (not used), channel.
Outcome Ts570::memoryRead(QByteArrayView params)
{
    const auto half = digits(params, 0, 1);
    const auto channel =
        params.size() == 4 && notUsedCharacter(params[1]) ? digits(params, 2, 2) : std::nullopt;
    if (!half || *half > 1 || !channel)
        return rejected();
    return answered(replies::memory(m_state, static_cast<int>(*half), static_cast<int>(*channel)));
}

Outcome Ts570::transmitter(QByteArrayView params)
{
    int selected = static_cast<int>(m_state.transmitter);
    const Outcome outcome = choice("FT", params, selected, 0, 2, 1);
    m_state.transmitter = static_cast<Receiver>(selected);
    return outcome;
}

Outcome Ts570::ritStep(QByteArrayView params, int direction)
{
    if (!params.isEmpty())
        return rejected();
    m_state.ritOffset =
        qBound(-MaxRitOffset, m_state.ritOffset + direction * RitStep, MaxRitOffset);
    return applied();
}

// RM P1 ; chooses the meter (1 SWR, 2 COMP, 3 ALC); "RM;" answers the chosen
// meter and its reading, which is 0 while receiving.
Outcome Ts570::meter(QByteArrayView params)
{
    if (params.isEmpty())
        return answered("RM" + padded(m_state.meter, 1) + "0000;");
    return choice("RM", params, m_state.meter, 1, 3, 1);
}

// IS P1 P2 ; sign ("+", "-" or a blank) and 4 digits, up to 1100 Hz.
Outcome Ts570::ifShift(QByteArrayView params)
{
    if (params.isEmpty())
        return answered(QByteArray("IS") + (m_state.ifShift < 0 ? '-' : '+') +
                        padded(qAbs(m_state.ifShift), 4) + ';');
    const auto hz = params.size() == 5 ? digits(params, 1, 4) : std::nullopt;
    const char sign = params.isEmpty() ? '\0' : params[0];
    if (!hz || *hz > 1100 || (sign != '+' && sign != '-' && sign != ' '))
        return rejected();
    m_state.ifShift = static_cast<int>(sign == '-' ? -*hz : *hz);
    return applied();
}

// FW P1 ; four digits, taken as the filter they fall on in the mode received
// in.
Outcome Ts570::filterWidth(QByteArrayView params)
{
    if (params.isEmpty())
        return answered("FW" + padded(m_state.filterWidth(), 4) + ';');
    const auto value = params.size() == 4 ? digits(params, 0, 4) : std::nullopt;
    if (!value)
        return rejected();
    const int width = static_cast<int>(*value);
    switch (filterFamily(m_state.activeMode())) {
    case FilterFamily::Cw:
        m_state.cwWidth = filterFor(cwFilters, width);
        break;
    case FilterFamily::Fsk:
        m_state.fskWidth = filterFor(fskFilters, width);
        break;
    case FilterFamily::Voice:
        m_state.voiceWidth = width == 0 ? 0 : 1;
        break;
    }
    return applied();
}

// KY P1 P2 ; P1 not used, P2 exactly the keyer's text width.
Outcome Ts570::keying(QByteArrayView params)
{
    if (params.isEmpty())
        return answered(m_keyer.hasRoom() ? QByteArrayLiteral("KY0;") : QByteArrayLiteral("KY1;"));
    if (params.size() != 1 + Keyer::TextWidth || !notUsedCharacter(params[0]))
        return rejected();
    const QByteArrayView field = params.sliced(1);
    for (const char c : field) {
        if (!Keyer::keyable(c))
            return rejected();
    }
    const QByteArray text = Keyer::keyedText(field);
    if (m_keyer.take(text, m_state.keySpeed))
        return applied();
    Outcome outcome = rejected();
    outcome.overflow = Outcome::Overflow{m_keyer.waiting(), text};
    return outcome;
}

void Ts570::finishTuning()
{
    m_state.tuning = false;
}

void Ts570::advanceClock(qint64 nowUs)
{
    m_keyer.advanceTo(nowUs, m_state.keySpeed);
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
    if (outcome.kind != Outcome::Kind::Applied)
        return outcome;
    const auto wanted = static_cast<Receiver>(selected);
    if (wanted == Receiver::Memory && m_state.receiver != Receiver::Memory)
        recallChannel(m_state.memoryChannel);
    // FR chooses both sides; a split needs an FT after it.
    m_state.receiver = wanted;
    m_state.transmitter = wanted;
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
    m_state.transmitter = Receiver::Memory;
    return applied();
}

// MW P1 P2 CC FFFFFFFFFFF M L T NN P9 ; where P1 is 0 for the receive (or
// simplex) half and 1 for the transmit half of a split channel.
Outcome Ts570::memoryWrite(QByteArrayView params)
{
    const auto half = digits(params, 0, 1);
    const auto channel = digits(params, 2, 2);
    const auto hz = digits(params, 4, 11);
    if (params.size() >= 15 && half && *half <= 1 && notUsedCharacter(params[1]) && channel &&
        hz == 0)
        return erase(static_cast<int>(*half), static_cast<int>(*channel));

    if (params.size() != 21)
        return rejected();
    const auto modeDigit = digits(params, 15, 1);
    const auto lockout = digits(params, 16, 1);
    const auto tone = digits(params, 17, 1);
    const auto toneNumber = digits(params, 18, 2);
    if (!half || *half > 1 || !notUsedCharacter(params[1]) || !channel || !hz ||
        !validFrequency(*hz) || !modeDigit || !validMode(*modeDigit) || !lockout || *lockout > 1 ||
        !tone || *tone > 1 || !toneNumber || *toneNumber > 38 || (*toneNumber == 0 && *tone == 1) ||
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

Outcome Ts570::erase(int half, int channel)
{
    MemoryChannel& slot = m_state.memories[channel];
    if (half == 1) {
        slot.split = false;
        slot.splitFrequency = 0;
        slot.splitMode = Mode::Usb;
    } else {
        slot = MemoryChannel{};
    }
    if (m_state.receiver == Receiver::Memory && m_state.memoryChannel == channel)
        recallChannel(channel);
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
    if (params == "8")
        return rejected();
    const Outcome outcome = choice("MD", params, value, 1, 9, 1);
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
        m_keyer.clear();
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
        m_keyer.clear();
        return applied();
    }
    if (params == "2") {
        m_state = RadioState{};
        m_keyer.clear();
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
