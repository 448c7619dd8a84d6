#include "station/station.h"

#include "radio/commandwords.h"
#include "session/cues.h"
#include "station/switches.h"

#include <cstdlib>

namespace {
// A step that sends these commands, in words of their own.
StationStep sending(StationState state, QList<CatCommand> commands, const char* cue = nullptr)
{
    StationStep step;
    step.words = commandWords(commands);
    step.state = std::move(state);
    step.commands = std::move(commands);
    step.cue = cue;
    return step;
}

// A step whose words depend on what was sent before it (split, the offset).
StationStep sendingAfter(const StationState& before, StationState state, QList<CatCommand> commands)
{
    StationStep step;
    step.words = commandWords(commands, SentBefore{before.receiver, before.offset.hertz});
    step.state = std::move(state);
    step.commands = std::move(commands);
    return step;
}

StationStep nothingSent(StationState state)
{
    StationStep step;
    step.state = std::move(state);
    return step;
}

StationStep refused(const StationState& state, QString why)
{
    StationStep step = nothingSent(state);
    step.refusal = std::move(why);
    return step;
}

// Empty when the radio tunes this frequency, else why not.
QString outOfRange(const StationState& state, quint64 hertz)
{
    const TuningRange range = tuningRange(state.radioModel());
    if (range.contains(hertz))
        return {};
    return QStringLiteral("%1 is outside the %2's range, %3.")
        .arg(megahertz(hertz), modelName(state.radioModel()), rangeWords(range));
}

// The offset commands act only while RIT or XIT is on: RIT goes on first
// when neither is on as sent.
QList<CatCommand> offsetApplied(const StationState& state, StationState& next)
{
    if (state.offset.applied())
        return {};
    next.offset.rit = true;
    return {CatCommand::rit(true)};
}

Receiver receiverOf(Vfo vfo)
{
    return vfo == Vfo::B ? Receiver::VfoB : Receiver::VfoA;
}
} // namespace

namespace Station {

StationStep load(const StationState& state)
{
    StationState next = state;
    next.startupSelectionPending = true;
    return nothingSent(next);
}

StationStep chooseVfoA(const StationState& state)
{
    StationState next = state;
    if (state.startupSelectionPending) {
        next.startupSelectionPending = false;
        return nothingSent(next);
    }
    next.vfo = VfoChoice::A;
    next.receiveOn(Receiver::VfoA);
    return sending(next, {CatCommand::receiveOn(Receiver::VfoA)}, Cue::VfoA);
}

StationStep chooseVfoB(const StationState& state)
{
    StationState next = state;
    next.vfo = VfoChoice::B;
    next.receiveOn(Receiver::VfoB);
    return sending(next, {CatCommand::receiveOn(Receiver::VfoB)}, Cue::VfoB);
}

StationStep chooseMemoryMode(const StationState& state)
{
    StationState next = state;
    next.receiveOn(Receiver::Memory);
    return sending(next, {CatCommand::receiveOn(Receiver::Memory)}, Cue::Memory);
}

StationStep tuneBand(const StationState& state, const Band& band)
{
    if (!tuningRange(state.radioModel()).contains(band.hertz))
        return refused(state,
                       QStringLiteral("%1 is outside the %2's range, %3.")
                           .arg(QString::fromLatin1(band.spoken), modelName(state.radioModel()),
                                rangeWords(tuningRange(state.radioModel()))));
    const Vfo vfo = state.addressedVfo();
    StationState next = state;
    next.receiveOn(receiverOf(vfo));
    next.setFrequency(vfo, band.hertz);
    next.band = &band;
    StationStep step = sending(
        next, {CatCommand::receiveOn(receiverOf(vfo)), CatCommand::frequency(vfo, band.hertz)},
        band.cue);
    step.words = QString::fromLatin1(band.spoken) + QStringLiteral(", ") + step.words;
    return step;
}

StationStep tuneFrequency(const StationState& state, Vfo vfo, quint64 hertz,
                          std::optional<Mode> mode)
{
    const QString outside = outOfRange(state, hertz);
    if (!outside.isEmpty())
        return refused(state, outside);
    StationState next = state;
    next.receiveOn(receiverOf(vfo));
    next.setFrequency(vfo, hertz);
    next.band = nullptr;
    QList<CatCommand> commands{CatCommand::receiveOn(receiverOf(vfo)),
                               CatCommand::frequency(vfo, hertz)};
    if (mode) {
        next.mode = *mode;
        commands << CatCommand::mode(*mode);
    }
    return sending(next, commands);
}

StationStep useModel(const StationState& state, RadioModel model)
{
    StationState next = state;
    next.model = model;
    return nothingSent(next);
}

StationStep switchSplit(const StationState& state, bool on)
{
    StationState next = state;
    if (on) {
        next.receiveOn(Receiver::VfoA);
        next.transmitter = Receiver::VfoB;
        return sendingAfter(
            state, next,
            {CatCommand::receiveOn(Receiver::VfoA), CatCommand::transmitOn(Receiver::VfoB)});
    }
    const Receiver where = state.receiver.value_or(Receiver::VfoA);
    next.transmitter = where;
    return sendingAfter(state, next, {CatCommand::transmitOn(where)});
}

StationStep setTransmitFrequency(const StationState& state, quint64 hertz)
{
    const QString outside = outOfRange(state, hertz);
    if (!outside.isEmpty())
        return refused(state, outside);
    StationState next = state;
    next.setFrequency(Vfo::B, hertz);
    return sending(next, {CatCommand::frequency(Vfo::B, hertz)});
}

StationStep transmitAboveA(const StationState& state, int kilohertz)
{
    if (!state.frequencyA)
        return refused(state, QStringLiteral("VFO A's frequency is not known yet: tune VFO A "
                                             "first, with a band button or a typed frequency."));
    const qint64 hertz = static_cast<qint64>(*state.frequencyA) + qint64(kilohertz) * 1000;
    if (hertz < 0)
        return refused(state, outOfRange(state, 0));
    return setTransmitFrequency(state, static_cast<quint64>(hertz));
}

StationStep switchRit(const StationState& state, bool on)
{
    StationState next = state;
    next.offset.rit = on;
    return sendingAfter(state, next, {CatCommand::rit(on)});
}

StationStep switchXit(const StationState& state, bool on)
{
    StationState next = state;
    next.offset.xit = on;
    return sendingAfter(state, next, {CatCommand::xit(on)});
}

StationStep clearOffset(const StationState& state)
{
    StationState next = state;
    QList<CatCommand> commands = offsetApplied(state, next);
    commands << CatCommand::clearOffset();
    next.offset.hertz = 0;
    return sendingAfter(state, next, commands);
}

StationStep stepOffset(const StationState& state, OffsetStep direction)
{
    const int step =
        direction == OffsetStep::Up ? CatCommand::offsetStepHertz : -CatCommand::offsetStepHertz;
    const std::optional<int> offset = state.offset.hertz;
    if (offset && std::abs(*offset + step) > CatCommand::offsetLimitHertz)
        return refused(state,
                       QStringLiteral("The offset is at its limit, %1.").arg(offsetWords(*offset)));
    StationState next = state;
    QList<CatCommand> commands = offsetApplied(state, next);
    commands << (direction == OffsetStep::Up ? CatCommand::offsetUp() : CatCommand::offsetDown());
    if (offset)
        next.offset.hertz = *offset + step;
    return sendingAfter(state, next, commands);
}

StationStep setOffset(const StationState& state, int hertz)
{
    if (std::abs(hertz) > CatCommand::offsetLimitHertz)
        return refused(state, QStringLiteral("The offset reaches %1 Hz either side at most.")
                                  .arg(CatCommand::offsetLimitHertz));
    if (hertz % CatCommand::offsetStepHertz != 0)
        return refused(
            state,
            QStringLiteral("The offset moves in steps of %1 Hz.").arg(CatCommand::offsetStepHertz));
    StationState next = state;
    QList<CatCommand> commands = offsetApplied(state, next);
    commands << CatCommand::clearOffset();
    const CatCommand step = hertz > 0 ? CatCommand::offsetUp() : CatCommand::offsetDown();
    for (int steps = std::abs(hertz) / CatCommand::offsetStepHertz; steps > 0; --steps)
        commands << step;
    next.offset.hertz = hertz;
    return sendingAfter(state, next, commands);
}

StationStep recallMemory(const StationState& state, int channel)
{
    const CatCommand recall = CatCommand::recallMemory(channel);
    StationState next = state;
    next.receiveOn(Receiver::Memory);
    if (recall.isValid())
        next.memoryChannel = channel;
    return sending(next, {CatCommand::receiveOn(Receiver::Memory), recall});
}

StationStep selectMode(const StationState& state, Mode mode)
{
    StationState next = state;
    next.mode = mode;
    return sending(next, {CatCommand::mode(mode)});
}

StationStep tuneTimeSignal(const StationState& state, const TimeSignal& signal)
{
    StationState next = state;
    next.mode = timeSignalMode;
    next.setFrequency(Vfo::A, signal.hertz);
    return sending(next,
                   {CatCommand::mode(timeSignalMode), CatCommand::frequency(Vfo::A, signal.hertz)});
}

StationStep pressSwitch(const StationState& state, Switch which)
{
    const SwitchCycle& cycle = cycleOf(which);
    const int setting = nextSetting(cycle, state.switches.of(which));
    StationState next = state;
    next.switches.set(which, setting);
    StationStep step = sending(next, {CatCommand::setSwitch(which, setting)});
    step.pauseSeconds = cycle.pauseSeconds;
    return step;
}

StationStep selectAntenna(const StationState& state, int connector)
{
    const CatCommand select = CatCommand::antenna(connector);
    StationState next = state;
    if (select.isValid())
        next.antenna = connector;
    const char* cue = connector == 1 ? Cue::Antenna1 : connector == 2 ? Cue::Antenna2 : nullptr;
    return sending(next, {select}, cue);
}

StationStep tuneAntenna(const StationState& state)
{
    return sending(state, {CatCommand::tuneAntenna()}, Cue::TuneAntenna);
}

StationStep stepFrequency(const StationState& state, FrequencyStep direction)
{
    StationState next = state;
    const bool memory = state.receiver == Receiver::Memory;
    if (!state.receiver || memory)
        next.memoryChannel.reset();
    if (!state.receiver || state.receiver == Receiver::VfoA)
        next.frequencyA.reset();
    if (!state.receiver || state.receiver == Receiver::VfoB)
        next.frequencyB.reset();
    return sending(next, {direction == FrequencyStep::Up ? CatCommand::frequencyUp()
                                                         : CatCommand::frequencyDown()});
}

StationStep transmit(const StationState& state)
{
    StationState next = state;
    next.transmitting = true;
    return sending(next, {CatCommand::transmit()});
}

StationStep receive(const StationState& state)
{
    StationState next = state;
    next.transmitting = false;
    return sending(next, {CatCommand::receive()});
}

StationStep switchPower(const StationState& state, bool on)
{
    StationState next = state;
    next.powerOn = on;
    return sending(next, {CatCommand::power(on)}, on ? Cue::PowerOn : Cue::PowerOff);
}

StationStep resetRadio(const StationState& state, ResetKind kind)
{
    return sending(
        state, {kind == ResetKind::Full ? CatCommand::fullReset() : CatCommand::partialReset()});
}

} // namespace Station
