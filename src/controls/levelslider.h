#pragma once

// One level's control in Station Controls: its caption, a slider and the
// level as sent beside it ("AF gain as sent: 128", or "not sent yet"), made
// from the level's row (station/levels.h). The slider is paced
// (controls/sliderpacer.h): dragged, at most one command per 100 ms and
// always the value it is left at; each keyboard step sends. A level that has
// not been sent starts blank: its words say "not sent yet" and the slider
// rests at the middle of its range, where no value is claimed.
//
// Data flow: the slider -> SliderPacer -> Station::setLevel -> the section's
// carryOut -> StationContext::stationChanged -> the words and slider shown
// again from the state.

#include "station/levels.h"
#include "station/station.h"

#include <functional>

class QGridLayout;
class QGroupBox;
class QLabel;
class QSlider;
class StationContext;

using CarryOut = std::function<void(const StationStep&)>;

// A section's line that says why a step was refused (hidden while nothing
// was), and how the section carries a step out: the line told, the step
// carried out from the section's window.
struct RefusalLine {
    QLabel* line;
    CarryOut carryOut;
};
RefusalLine refusalLine(QGroupBox* box, const QString& objectName, StationContext& context);

// Lays the control out on the grid's row, columns 0 to 2.
QSlider* addLevelSlider(QGroupBox* box, QGridLayout* grid, int row, Level level,
                        StationContext& context, const CarryOut& carryOut);

// "Transmit power as sent: 50 W", "AF gain as sent: not sent yet".
QString levelAsSentWords(const StationState& state, Level level);
