// Station Controls' typed frequency, for the operator who reaches for the
// mouse rather than Ctrl+T: the same entry as the "Tune to Frequency" box,
// with a "Tune" button; Enter in the field tunes too. The field keeps what
// was typed, so a frequency a little off can be put right and tuned again.

#include "controls/section.h"
#include "controls/stationcontext.h"
#include "controls/tuneentry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
void build(QGroupBox* box, StationContext& context)
{
    auto* layout = new QVBoxLayout(box);
    auto* entry = new TuneEntry(box);
    entry->followPanel(context.station());
    layout->addWidget(entry);
    auto* tune = new QPushButton(QStringLiteral("Tune"), box);
    tune->setObjectName(QStringLiteral("cmdTuneTyped"));
    tune->setAccessibleName(QStringLiteral("Tune to the typed frequency"));
    layout->addWidget(tune, 0, Qt::AlignRight);

    const auto tuneTyped = [box, entry, &context] {
        if (const std::optional<StationStep> step = entry->read(context.station()))
            context.carryOut(*step, box->window());
    };
    QObject::connect(tune, &QPushButton::clicked, box, tuneTyped);
    QObject::connect(entry->field(), &QLineEdit::returnPressed, box, tuneTyped);
    QObject::connect(&context, &StationContext::stationChanged, box,
                     [entry, &context] { entry->followPanel(context.station()); });
}

QList<KeyBinding> keys()
{
    return {
        {QStringLiteral("txtFrequency"), QStringLiteral("Frequency to tune (field)"),
         QStringLiteral("Ctrl+L")},
        {QStringLiteral("cboVfo"), QStringLiteral("VFO the typed frequency goes to (list)"),
         QStringLiteral("Alt+V")},
        {QStringLiteral("cboMode"), QStringLiteral("Mode for the typed frequency (list)"),
         QStringLiteral("Alt+M")},
        {QStringLiteral("cmdTuneTyped"), QStringLiteral("Tune to the typed frequency"),
         QStringLiteral("Alt+Return")},
    };
}
} // namespace

extern const Section frequencySection{"FrequencySection", "Tune to a frequency", build, keys};
