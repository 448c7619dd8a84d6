// The receiver's and microphone's levels: AF gain, RF gain, squelch,
// microphone gain and IF shift, one slider each (controls/levelslider.h),
// each shown "as sent" and blank until the operator sets it. Quillard never
// reads them from the radio and sends none of them at start.

#include "controls/levelslider.h"
#include "controls/section.h"
#include "controls/stationcontext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <array>

namespace {
struct LevelKey {
    Level level;
    const char* keys;
};
constexpr std::array<LevelKey, 5> levelKeys = {{
    {Level::AfGain, "Ctrl+J, A"},
    {Level::RfGain, "Ctrl+J, R"},
    {Level::Squelch, "Ctrl+J, S"},
    {Level::MicGain, "Ctrl+J, M"},
    {Level::IfShift, "Ctrl+J, I"},
}};

void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    const RefusalLine refusal = refusalLine(box, QStringLiteral("lblLevelsProblem"), context);
    QLabel* problem = refusal.line;
    const CarryOut carryOut = refusal.carryOut;
    int row = 0;
    for (const LevelKey& key : levelKeys)
        addLevelSlider(box, grid, row++, key.level, context, carryOut);
    grid->addWidget(problem, row, 0, 1, 3);
}

QList<KeyBinding> keys()
{
    QList<KeyBinding> bindings;
    for (const LevelKey& key : levelKeys) {
        const LevelRow& row = levelRow(key.level);
        bindings << KeyBinding{QString::fromLatin1(row.name),
                               QString::fromLatin1(row.caption) + QStringLiteral(" (slider)"),
                               QString::fromLatin1(key.keys)};
    }
    return bindings;
}
} // namespace

extern const Section levelSection{"LevelsSection", "Levels", build, keys};
