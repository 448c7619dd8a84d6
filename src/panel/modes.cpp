#include "panel/modes.h"

#include "panel/panelcanvas.h"
#include "panel/panelcontext.h"

namespace {
constexpr QSize timeSignalButtonSize(58, 18);

void tuneTimeSignal(PanelContext& panel, const TimeSignalButton& signal)
{
    panel.SendCommand(CatCommand::mode(Mode::AM));
    panel.SendCommand(CatCommand::frequency(Vfo::A, signal.hertz));
}
} // namespace

void buildModeControls(PanelContext& panel, PanelCanvas& canvas)
{
    for (int index = 0; const ModeButton& row : modeButtons)
        canvas.addColumnButton(
            Frame::Modes, index++, row.name, row.caption,
            [&panel, mode = row.mode] { panel.SendCommand(CatCommand::mode(mode)); });

    // These three sit inside their frame.
    const FrameSpec& wwv = frameSpec(Frame::Wwv);
    for (int index = 0; const TimeSignalButton& row : timeSignalButtons) {
        const QRect place = stackedInFrame(wwv, index++, timeSignalButtonSize, Qt::Horizontal)
                                .translated(-wwv.geometry.topLeft());
        canvas.addPushButton(canvas.frame(Frame::Wwv), place, row.name, row.caption, nullptr,
                             [&panel, &row] { tuneTimeSignal(panel, row); });
    }
}
