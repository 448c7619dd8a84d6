// The engine's actions for the levels, the filter and the operator's own
// commands (declared in station/station.h beside the panel's actions).

#include "station/station.h"

#include "radio/commandwords.h"
#include "radio/filterwidths.h"

namespace {
StationStep refusedStep(const StationState& state, QString why)
{
    StationStep step;
    step.state = state;
    step.refusal = std::move(why);
    return step;
}

StationStep sendingStep(StationState state, QList<CatCommand> commands, QString words)
{
    StationStep step;
    step.state = std::move(state);
    step.commands = std::move(commands);
    step.words = std::move(words);
    return step;
}

CatCommand levelCommand(Level level, int value)
{
    switch (level) {
    case Level::AfGain:
        return CatCommand::afGain(value);
    case Level::RfGain:
        return CatCommand::rfGain(value);
    case Level::Squelch:
        return CatCommand::squelch(value);
    case Level::Power:
        return CatCommand::transmitPower(value);
    case Level::MicGain:
        return CatCommand::micGain(value);
    case Level::IfShift:
        break;
    }
    return CatCommand::ifShift(value);
}

// A typed command that is exactly one Quillard builds itself ("PC005;",
// "MD3;", "FW0500;" in the mode as sent) is kept as sent, as that command
// would be. Returns false for any other.
bool keepAsSent(StationState& state, const QByteArray& text)
{
    const QByteArray name = text.left(2);
    bool number = false;
    const int value = text.mid(2, text.size() - 3).toInt(&number);
    if (!number)
        return false;
    const auto same = [&text](const CatCommand& built) { return built.text() == text; };
    if (name == "MD") {
        const Mode mode = static_cast<Mode>(value);
        if (!same(CatCommand::mode(mode)))
            return false;
        state = Station::selectMode(state, mode).state;
        return true;
    }
    if (name == "FW") {
        if (!state.mode || !same(CatCommand::filterWidth(*state.mode, value)))
            return false;
        state.levels.setFilter(*state.mode, value);
        return true;
    }
    for (const LevelRow& row : levelRows) {
        const CatCommand built = levelCommand(row.level, value);
        if (built.isValid() && same(built)) {
            levelField(state.levels, row.level) = value;
            return true;
        }
    }
    return false;
}

// What any other typed command sets, forgotten: Quillard cannot tell the
// value it set, so it no longer knows it as sent. Commands it has no field for change nothing.
void forgetWhatItSets(StationState& state, const QByteArray& name)
{
    Levels& levels = state.levels;
    if (name == "AG")
        levels.afGain.reset();
    else if (name == "RG")
        levels.rfGain.reset();
    else if (name == "SQ")
        levels.squelch.reset();
    else if (name == "PC")
        levels.power.reset();
    else if (name == "MG")
        levels.micGain.reset();
    else if (name == "IS")
        levels.ifShift.reset();
    else if (name == "FW")
        levels.filters = {};
    else if (name == "KS")
        state.keyerWordsPerMinute.reset();
    else if (name == "MD") {
        state.mode.reset();
    } else if (name == "FA" || name == "FB") {
        state.setFrequency(name == "FA" ? Vfo::A : Vfo::B, std::nullopt);
        state.band = nullptr;
    } else if (name == "FR" || name == "FT" || name == "MC") {
        state.receiver.reset();
        state.transmitter.reset();
        state.memoryChannel.reset();
    } else if (name == "RT" || name == "XT" || name == "RC" || name == "RU" || name == "RD") {
        state.offset = {};
    } else if (name == "UP" || name == "DN") {
        state.frequencyA.reset();
        state.frequencyB.reset();
        state.memoryChannel.reset();
        state.band = nullptr;
    }
}
} // namespace

namespace Station {

StationStep setLevel(const StationState& state, Level level, int value)
{
    const LevelRow& row = levelRow(level);
    const CatCommand command = levelCommand(level, value);
    if (!command.isValid() || value < row.lowest || value > row.highest)
        return refusedStep(
            state, QStringLiteral("%1 takes %2 to %3; %4 was not sent.")
                       .arg(QString::fromLatin1(row.caption), levelValueWords(level, row.lowest),
                            levelValueWords(level, row.highest), levelValueWords(level, value)));
    StationState next = state;
    levelField(next.levels, level) = value;
    QString words = commandWords({command});
    if (level == Level::Power && value > amCarrierMaxWatts && !powerNote(state).isEmpty())
        words += QStringLiteral(", ") + powerNote(state);
    return sendingStep(next, {command}, words);
}

StationStep setFilter(const StationState& state, int value)
{
    if (!state.mode)
        return refusedStep(state, QStringLiteral("The filters depend on the mode, and no mode "
                                                 "has been sent yet: choose a mode first."));
    const CatCommand command = CatCommand::filterWidth(*state.mode, value);
    if (!command.isValid())
        return refusedStep(state, QStringLiteral("%1 offers no filter of value %2.")
                                      .arg(modeWords(*state.mode))
                                      .arg(value));
    StationState next = state;
    next.levels.setFilter(*state.mode, value);
    return sendingStep(next, {command}, commandWords({command}));
}

StationStep sendOperatorCommands(const StationState& state, const QString& label,
                                 const QList<CatCommand>& commands)
{
    StationState next = state;
    QList<CatCommand> sent;
    for (const CatCommand& command : commands) {
        if (command.kind() != CatCommand::Kind::OperatorCommand)
            continue; // only checked typed commands go out this way
        if (!keepAsSent(next, command.text()))
            forgetWhatItSets(next, command.text().left(2));
        sent << command;
    }
    if (sent.isEmpty())
        return refusedStep(state, QStringLiteral("%1 has no commands to send.").arg(label));
    return sendingStep(next, sent, label + QStringLiteral(": ") + commandWords(sent));
}

} // namespace Station
