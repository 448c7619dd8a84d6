#include "station/station.h"

#include "radio/commandwords.h"
#include "session/cues.h"
#include "station/switches.h"

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

StationStep nothingSent(StationState state)
{
    StationStep step;
    step.state = std::move(state);
    return step;
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
    next.receiver = Receiver::VfoA;
    return sending(next, {CatCommand::receiveOn(Receiver::VfoA)}, Cue::VfoA);
}

StationStep chooseVfoB(const StationState& state)
{
    StationState next = state;
    next.vfo = VfoChoice::B;
    next.receiver = Receiver::VfoB;
    return sending(next, {CatCommand::receiveOn(Receiver::VfoB)}, Cue::VfoB);
}

StationStep chooseMemoryMode(const StationState& state)
{
    StationState next = state;
    next.receiver = Receiver::Memory;
    return sending(next, {CatCommand::receiveOn(Receiver::Memory)}, Cue::Memory);
}

StationStep tuneBand(const StationState& state, const Band& band)
{
    const Vfo vfo = state.addressedVfo();
    StationState next = state;
    next.receiver = receiverOf(vfo);
    next.setFrequency(vfo, band.hertz);
    next.band = &band;
    StationStep step = sending(
        next, {CatCommand::receiveOn(receiverOf(vfo)), CatCommand::frequency(vfo, band.hertz)},
        band.cue);
    step.words = QString::fromLatin1(band.spoken) + QStringLiteral(", ") + step.words;
    return step;
}

StationStep recallMemory(const StationState& state, int channel)
{
    const CatCommand recall = CatCommand::recallMemory(channel);
    StationState next = state;
    next.receiver = Receiver::Memory;
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
