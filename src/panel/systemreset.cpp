#include "panel/systemreset.h"

#include "controls/stationcontext.h"
#include "panel/outsidekeydelivery.h"
#include "panel/panelcanvas.h"
#include "session/cues.h"
#include "ui/messagebox.h"

namespace {
constexpr QSize resetButtonSize(73, 33);
// Below the twelve other buttons of the "Settings" frame, each 30 high.
constexpr int resetPlace = 12;
constexpr int settingsButtonHeight = 30;

bool confirmed(StationContext& panel, const ResetQuestion& question)
{
    return MessageBox::ask(panel.window(), QString::fromLatin1(question.title),
                           QString::fromLatin1(question.text), QMessageBox::Critical,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
} // namespace

void Command18_Click(StationContext& panel)
{
    panel.playCue(Cue::Reset);
    if (!confirmed(panel, resetQuestions[0]))
        return;
    if (confirmed(panel, resetQuestions[1])) {
        panel.carryOut(Station::resetRadio(panel.station(), ResetKind::Partial));
        return;
    }
    if (confirmed(panel, resetQuestions[2]))
        panel.carryOut(Station::resetRadio(panel.station(), ResetKind::Full));
}

void buildSystemReset(StationContext& panel, PanelCanvas& canvas)
{
    // This button sits inside its frame.
    const FrameSpec& settings = frameSpec(Frame::Settings);
    const QRect column = stackedInFrame(settings, 0, resetButtonSize, Qt::Vertical);
    const QRect place = column.translated(0, resetPlace * settingsButtonHeight)
                            .translated(-settings.geometry.topLeft());
    canvas.addPushButton(
        canvas.frame(Frame::Settings), place, "Command18", "System Reset",
        "System Reset (Full or Partial)",
        [&panel] { runOutsideKeyDelivery(panel.window(), [&panel] { Command18_Click(panel); }); });
}
