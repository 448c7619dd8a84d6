#include "panel/bands.h"

#include "controls/stationcontext.h"
#include "panel/panelcanvas.h"
#include "station/bands.h"

void Option6_Click(StationContext& panel)
{
    panel.carryOut(Station::chooseVfoA(panel.station()));
}

void Option7_Click(StationContext& panel)
{
    panel.carryOut(Station::chooseVfoB(panel.station()));
}

void Option8_Click(StationContext& panel)
{
    panel.carryOut(Station::chooseMemoryMode(panel.station()));
}

void band_Click(StationContext& panel, const Band& band)
{
    panel.carryOut(Station::tuneBand(panel.station(), band));
}

void buildBandControls(StationContext& panel, PanelCanvas& canvas)
{
    for (int index = 0; const VfoButton& vfo : vfoButtons)
        canvas.addColumnButton(Frame::Functions, index++, vfo.name, vfo.caption,
                               [&panel, act = vfo.act] { act(panel); });
    for (int index = 0; const Band& band : bands)
        canvas.addColumnButton(Frame::Bands, index++, band.name, band.caption,
                               [&panel, &band] { band_Click(panel, band); });
}
