// Transmit power: a slider from 5 to 100 W (controls/levelslider.h) and one
// button per preset (5, 10, 25, 50, 100 W) for the operator who would rather
// not turn a small knob. The power is shown "as sent"; while the mode as sent
// is AM the section says that the radio holds the carrier at 25 W at most.

#include "controls/levelslider.h"
#include "controls/section.h"
#include "controls/stationcontext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
QString presetName(int watts)
{
    return QStringLiteral("cmdPower%1").arg(watts);
}

void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    const RefusalLine refusal = refusalLine(box, QStringLiteral("lblPowerProblem"), context);
    QLabel* problem = refusal.line;
    const CarryOut carryOut = refusal.carryOut;
    addLevelSlider(box, grid, 0, Level::Power, context, carryOut);

    auto* presets = new QHBoxLayout;
    presets->addWidget(new QLabel(QStringLiteral("Presets:"), box));
    for (int watts : powerPresets) {
        auto* button = new QPushButton(QStringLiteral("%1 W").arg(watts), box);
        button->setObjectName(presetName(watts));
        button->setAccessibleName(QStringLiteral("Power %1 watts").arg(watts));
        presets->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, box, [watts, carryOut, &context] {
            carryOut(Station::setLevel(context.station(), Level::Power, watts));
        });
    }
    presets->addStretch();
    grid->addLayout(presets, 1, 0, 1, 3);

    auto* note = new QLabel(box);
    note->setObjectName(QStringLiteral("lblPowerNote"));
    grid->addWidget(note, 2, 0, 1, 3);
    grid->addWidget(problem, 3, 0, 1, 3);
    const auto show = [note, &context] {
        const QString words = powerNote(context.station());
        note->setText(words);
        note->setVisible(!words.isEmpty());
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);
}

QList<KeyBinding> keys()
{
    QList<KeyBinding> bindings{{QStringLiteral("powerSlider"),
                                QStringLiteral("Transmit power (slider)"),
                                QStringLiteral("Ctrl+J, P")}};
    for (int place = 1; int watts : powerPresets)
        bindings << KeyBinding{presetName(watts), QStringLiteral("Power %1 W").arg(watts),
                               QStringLiteral("Ctrl+J, %1").arg(place++)};
    return bindings;
}
} // namespace

extern const Section powerSection{"PowerSection", "Transmit power", build, keys};
