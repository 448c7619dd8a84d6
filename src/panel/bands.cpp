#include "panel/bands.h"

#include "app/cues.h"
#include "panel/form2.h"
#include "panel/panelframe.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>

namespace {
constexpr QSize columnButtonSize(61, 17);

void bandClick(Form2& panel, const BandButton& band)
{
    const bool vfoB = panel.VfoSelection == QLatin1String("B");
    panel.SendCommand(CatCommand::receiveOn(vfoB ? Receiver::VfoB : Receiver::VfoA));
    panel.SendCommand(CatCommand::frequency(vfoB ? Vfo::B : Vfo::A, band.hertz));
    PlayCue(QString::fromLatin1(band.cue));
}
} // namespace

void Option6_Click(Form2& panel)
{
    // The selection that the window's first showing produces is not the operator's.
    if (panel.StartupFlag == 1) {
        panel.StartupFlag = 0;
        return;
    }
    panel.VfoSelection = QStringLiteral("A");
    panel.SendCommand(CatCommand::receiveOn(Receiver::VfoA));
    PlayCue(QString::fromLatin1(Cue::VfoA));
}

void Option7_Click(Form2& panel)
{
    panel.VfoSelection = QStringLiteral("B");
    panel.SendCommand(CatCommand::receiveOn(Receiver::VfoB));
    PlayCue(QString::fromLatin1(Cue::VfoB));
}

void Option8_Click(Form2& panel)
{
    // Memory mode leaves VfoSelection alone: the band buttons still address
    // the VFO chosen before.
    panel.SendCommand(CatCommand::receiveOn(Receiver::Memory));
    PlayCue(QString::fromLatin1(Cue::Memory));
}

void buildBandControls(Form2& panel, QWidget* canvas)
{
    const FrameSpec& functions = frameSpec("Frame4");
    for (int index = 0; const VfoButton& vfo : vfoButtons) {
        const QRect place = stackedInFrame(functions, index++, columnButtonSize, Qt::Vertical);
        QAbstractButton* button =
            makeColumnSelectionButton(canvas, vfo.name, vfo.caption, functions, place);
        auto act = [&panel, act = vfo.act] { act(panel); };
        panel.setHandler(button->objectName(), act);
        panel.selectionGroup().add(button, act);
    }

    const FrameSpec& bandsFrame = frameSpec("Frame2");
    for (int index = 0; const BandButton& band : bandButtons) {
        const QRect place = stackedInFrame(bandsFrame, index++, columnButtonSize, Qt::Vertical);
        QAbstractButton* button =
            makeColumnSelectionButton(canvas, band.name, band.caption, bandsFrame, place);
        auto act = [&panel, &band] { bandClick(panel, band); };
        panel.setHandler(button->objectName(), act);
        panel.selectionGroup().add(button, act);
    }
}
