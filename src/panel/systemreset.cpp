#include "panel/systemreset.h"

#include "app/cues.h"
#include "app/messagebox.h"
#include "panel/form2.h"
#include "panel/panelframe.h"
#include "panel/selectiongroup.h"

#include <QAbstractButton>

namespace {
constexpr QSize resetButtonSize(73, 33);
// Below the twelve other buttons of the "Settings" frame, each 30 high.
constexpr int resetPlace = 12;
constexpr int settingsButtonHeight = 30;

bool confirmed(Form2& panel, const ResetQuestion& question)
{
    return MessageBox::ask(&panel, QString::fromLatin1(question.title),
                           QString::fromLatin1(question.text), QMessageBox::Critical,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}
} // namespace

void Command18_Click(Form2& panel)
{
    PlayCue(QString::fromLatin1(Cue::Reset));
    if (!confirmed(panel, resetQuestions[0]))
        return;
    if (confirmed(panel, resetQuestions[1])) {
        panel.SendCommand(CatCommand::partialReset());
        return;
    }
    if (confirmed(panel, resetQuestions[2]))
        panel.SendCommand(CatCommand::fullReset());
}

void buildSystemReset(Form2& panel, QWidget* canvas)
{
    // This button sits inside its frame.
    const FrameSpec& settings = frameSpec("Frame3");
    auto* frame = canvas->findChild<QWidget*>(QString::fromLatin1(settings.name));
    const QRect column = stackedInFrame(settings, 0, resetButtonSize, Qt::Vertical);
    const QRect place = column.translated(0, resetPlace * settingsButtonHeight)
                            .translated(-settings.geometry.topLeft());
    QAbstractButton* button =
        makePushButton(frame, "Command18", "System Reset", place, "System Reset (Full or Partial)");
    auto act = [&panel] { Command18_Click(panel); };
    panel.setHandler(button->objectName(), act);
    QObject::connect(button, &QAbstractButton::clicked, &panel, act);
}
