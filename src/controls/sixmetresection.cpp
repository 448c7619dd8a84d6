// The 6 m band, for a TS-570S (model=S in the port's comN.conf): a "6m"
// button that tunes the VFO the panel addresses to 50.000 MHz as the main
// window's band buttons do, with the band's spoken name and no cue (none was
// recorded for it). For a TS-570D the section is not shown.

#include "controls/section.h"
#include "controls/stationcontext.h"
#include "station/bands.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace {
void build(QGroupBox* box, StationContext& context)
{
    auto* layout = new QHBoxLayout(box);
    auto* band = new QPushButton(QString::fromLatin1(sixMetres.caption), box);
    band->setObjectName(QString::fromLatin1(sixMetres.name));
    band->setAccessibleName(QStringLiteral("6 metres band"));
    layout->addWidget(band);
    layout->addStretch();
    QObject::connect(band, &QPushButton::clicked, box, [box, &context] {
        context.carryOut(Station::tuneBand(context.station(), sixMetres), box->window());
    });
    const auto show = [box, &context] {
        box->setVisible(context.station().radioModel() == RadioModel::TS570S);
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);
}

QList<KeyBinding> keys()
{
    return {{QString::fromLatin1(sixMetres.name), QStringLiteral("6m band (TS-570S)"),
             QStringLiteral("Ctrl+0")}};
}
} // namespace

extern const Section sixMetreSection{"SixMetreSection", "6 m", build, keys};
