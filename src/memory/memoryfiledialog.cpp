#include "memory/memoryfiledialog.h"

#include "ui/focusreturn.h"

#include <QDir>
#include <QFileDialog>

namespace {
MemoryFileDialog::Script& script()
{
    static MemoryFileDialog::Script instance;
    return instance;
}
} // namespace

QString MemoryFileDialog::choose(QWidget* parent, MemoryFileDialogRequest::Purpose purpose,
                                 const QString& lastFileName)
{
    return choose(parent, purpose, lastFileName, filter(), defaultSuffix());
}

QString MemoryFileDialog::choose(QWidget* parent, MemoryFileDialogRequest::Purpose purpose,
                                 const QString& lastFileName, const QString& filter,
                                 const QString& defaultSuffix)
{
    const MemoryFileDialogRequest request{purpose, QDir::currentPath(), lastFileName, filter,
                                          defaultSuffix};
    if (script())
        return script()(request);

    const bool saving = purpose == MemoryFileDialogRequest::Purpose::Save;
    const FocusReturn back(parent);
    QFileDialog dialog(parent);
    dialog.setDirectory(request.directory);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void MemoryFileDialog::setScript(Script newScript)
{
    script() = std::move(newScript);
}
