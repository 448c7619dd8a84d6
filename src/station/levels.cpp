#include "station/levels.h"

#include "radio/commandwords.h"

#include <utility>

const std::array<LevelRow, 6> levelRows = {{
    {Level::AfGain, "afGainSlider", "AF gain", 0, CatCommand::gainMax, 1, 16, ""},
    {Level::RfGain, "rfGainSlider", "RF gain", 0, CatCommand::gainMax, 1, 16, ""},
    {Level::Squelch, "squelchSlider", "Squelch", 0, CatCommand::gainMax, 1, 16, ""},
    {Level::Power, "powerSlider", "Transmit power", CatCommand::powerMinWatts,
     CatCommand::powerMaxWatts, 1, 5, "W"},
    {Level::MicGain, "micGainSlider", "Microphone gain", 0, CatCommand::micGainMax, 1, 10, ""},
    {Level::IfShift, "ifShiftSlider", "IF shift", -CatCommand::ifShiftLimitHertz,
     CatCommand::ifShiftLimitHertz, 100, 500, "Hz"},
}};

const LevelRow& levelRow(Level level)
{
    return levelRows[static_cast<std::size_t>(level)];
}

const std::optional<int>& levelField(const Levels& levels, Level level)
{
    switch (level) {
    case Level::AfGain:
        return levels.afGain;
    case Level::RfGain:
        return levels.rfGain;
    case Level::Squelch:
        return levels.squelch;
    case Level::Power:
        return levels.power;
    case Level::MicGain:
        return levels.micGain;
    case Level::IfShift:
        break;
    }
    return levels.ifShift;
}

std::optional<int>& levelField(Levels& levels, Level level)
{
    return const_cast<std::optional<int>&>(levelField(std::as_const(levels), level));
}

std::optional<int> levelAsSent(const StationState& state, Level level)
{
    return levelField(state.levels, level);
}

QString levelValueWords(Level level, int value)
{
    if (level == Level::IfShift)
        return offsetWords(value);
    if (level == Level::Power)
        return QStringLiteral("%1 W").arg(value);
    return QString::number(value);
}

QString powerNote(const StationState& state)
{
    if (state.mode != Mode::AM)
        return {};
    return QStringLiteral("AM: the carrier is at most %1 W").arg(amCarrierMaxWatts);
}
