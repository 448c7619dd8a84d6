#include "guides/schedulefiledialog.h"

#include "ui/focusreturn.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
ScheduleFileDialog::Script& script()
{
    static ScheduleFileDialog::Script instance;
    return instance;
}
} // namespace

QString ScheduleFileDialog::choose(QWidget* parent, const QString& lastPath)
{
    ScheduleFileRequest request{QDir::homePath(), {}};
    if (!lastPath.isEmpty()) {
        const QFileInfo last(lastPath);
        request.directory = last.absolutePath();
        request.fileName = last.fileName();
    }
    if (script())
        return script()(request);

    const FocusReturn back(parent);
    QFileDialog dialog(parent, QStringLiteral("Open Schedule"));
    dialog.setObjectName(QStringLiteral("OpenScheduleDialog"));
    dialog.setDirectory(request.directory);
    dialog.setNameFilter(QStringLiteral("EiBi schedules (*.csv);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void ScheduleFileDialog::setScript(Script newScript)
{
    script() = std::move(newScript);
}
