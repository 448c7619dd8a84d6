#include "panel/modes.h"

#include "panel/form2.h"
#include "panel/panelframe.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>

namespace {
constexpr QSize columnButtonSize(61, 17);
constexpr QSize timeSignalButtonSize(58, 18);

void tuneTimeSignal(Form2& panel, const TimeSignalButton& signal)
{
    panel.SendCommand(CatCommand::mode(Mode::AM));
    panel.SendCommand(CatCommand::frequency(Vfo::A, signal.hertz));
}
} // namespace

void buildModeControls(Form2& panel, QWidget* canvas)
{
    const FrameSpec& modesFrame = frameSpec("Frame1");
    for (int index = 0; const ModeButton& row : modeButtons) {
        const QRect place = stackedInFrame(modesFrame, index++, columnButtonSize, Qt::Vertical);
        QAbstractButton* button =
            makeColumnSelectionButton(canvas, row.name, row.caption, modesFrame, place);
        auto act = [&panel, mode = row.mode] { panel.SendCommand(CatCommand::mode(mode)); };
        panel.setHandler(button->objectName(), act);
        panel.selectionGroup().add(button, act);
    }

    // These three sit inside their frame.
    const FrameSpec& wwvSpec = frameSpec("Frame8");
    auto* wwv = canvas->findChild<QWidget*>(QString::fromLatin1(wwvSpec.name));
    for (int index = 0; const TimeSignalButton& row : timeSignalButtons) {
        const QRect place = stackedInFrame(wwvSpec, index++, timeSignalButtonSize, Qt::Horizontal)
                                .translated(-wwvSpec.geometry.topLeft());
        QAbstractButton* button = makePushButton(wwv, row.name, row.caption, place);
        auto act = [&panel, &row] { tuneTimeSignal(panel, row); };
        panel.setHandler(button->objectName(), act);
        QObject::connect(button, &QAbstractButton::clicked, &panel, act);
    }
}
