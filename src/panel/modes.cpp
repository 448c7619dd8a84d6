#include "panel/modes.h"

#include "controls/stationcontext.h"
#include "panel/panelcanvas.h"
#include "station/modes.h"

namespace {
constexpr QSize timeSignalButtonSize(58, 18);

// LSB_Click, Option1_Click ... Option5_Click.
void mode_Click(StationContext& panel, Mode mode)
{
    panel.carryOut(Station::selectMode(panel.station(), mode));
}

// Command2_Click, mhz10_Click, mhz15_Click.
void timeSignal_Click(StationContext& panel, const TimeSignal& signal)
{
    panel.carryOut(Station::tuneTimeSignal(panel.station(), signal));
}
} // namespace

void buildModeControls(StationContext& panel, PanelCanvas& canvas)
{
    for (int index = 0; const ModeChoice& row : modeChoices)
        canvas.addColumnButton(Frame::Modes, index++, row.name, row.caption,
                               [&panel, mode = row.mode] { mode_Click(panel, mode); });

    // These three sit inside their frame.
    const FrameSpec& wwv = frameSpec(Frame::Wwv);
    for (int index = 0; const TimeSignal& row : timeSignals) {
        const QRect place = stackedInFrame(wwv, index++, timeSignalButtonSize, Qt::Horizontal)
                                .translated(-wwv.geometry.topLeft());
        canvas.addPushButton(canvas.frame(Frame::Wwv), place, row.name, row.caption, nullptr,
                             [&panel, &row] { timeSignal_Click(panel, row); });
    }
}
