#pragma once

// The file dialog of the memory window, shared by Load and Save (and, with a
// filter of their own, Import and Export). It opens in
// the current directory with the name chosen last in this window (or none),
// offers memory files and text files, and adds ".mem" to a name typed without
// an extension. An empty result means the operator chose no file.
//
// Tests answer the dialog from a script instead of showing it.

#include <QString>

#include <functional>

class QWidget;

struct MemoryFileDialogRequest {
    enum class Purpose { Open, Save };
    Purpose purpose = Purpose::Open;
    QString directory;
    QString fileName; // preselected: the name chosen last, or empty
    QString filter;
    QString defaultSuffix;
};

class MemoryFileDialog {
public:
    static QString filter() { return QStringLiteral("Memories (*.mem);;Text (*.txt)"); }
    static QString defaultSuffix() { return QStringLiteral("mem"); }

    static QString choose(QWidget* parent, MemoryFileDialogRequest::Purpose purpose,
                          const QString& lastFileName);
    // The same dialog for files of another kind (rigmem's CSV files).
    static QString choose(QWidget* parent, MemoryFileDialogRequest::Purpose purpose,
                          const QString& lastFileName, const QString& filter,
                          const QString& defaultSuffix);

    // Replaces the dialog; an empty function shows the real one again.
    using Script = std::function<QString(const MemoryFileDialogRequest&)>;
    static void setScript(Script script);
};
