#include "panel/bands.h"

#include "panel/panelcanvas.h"
#include "panel/panelcontext.h"
#include "session/cues.h"

void Option6_Click(PanelContext& panel)
{
    // The selection that the window's first showing produces is not the operator's.
    if (panel.state.StartupFlag == 1) {
        panel.state.StartupFlag = 0;
        return;
    }
    panel.state.VfoSelection = QStringLiteral("A");
    panel.SendCommand(CatCommand::receiveOn(Receiver::VfoA));
    panel.PlayCue(Cue::VfoA);
}

void Option7_Click(PanelContext& panel)
{
    panel.state.VfoSelection = QStringLiteral("B");
    panel.SendCommand(CatCommand::receiveOn(Receiver::VfoB));
    panel.PlayCue(Cue::VfoB);
}

void Option8_Click(PanelContext& panel)
{
    // Memory mode leaves VfoSelection alone: the band buttons still address
    // the VFO chosen before.
    panel.SendCommand(CatCommand::receiveOn(Receiver::Memory));
    panel.PlayCue(Cue::Memory);
}

void band_Click(PanelContext& panel, const BandButton& band)
{
    const bool vfoB = panel.state.VfoSelection == QLatin1String("B");
    panel.SendCommand(CatCommand::receiveOn(vfoB ? Receiver::VfoB : Receiver::VfoA));
    panel.SendCommand(CatCommand::frequency(vfoB ? Vfo::B : Vfo::A, band.hertz));
    panel.PlayCue(band.cue);
}

void buildBandControls(PanelContext& panel, PanelCanvas& canvas)
{
    for (int index = 0; const VfoButton& vfo : vfoButtons)
        canvas.addColumnButton(Frame::Functions, index++, vfo.name, vfo.caption,
                               [&panel, act = vfo.act] { act(panel); });
    for (int index = 0; const BandButton& band : bandButtons)
        canvas.addColumnButton(Frame::Bands, index++, band.name, band.caption,
                               [&panel, &band] { band_Click(panel, band); });
}
