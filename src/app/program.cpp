#include "app/program.h"

#include "ui/pictures.h"
#include "ui/programstyle.h"
#include "ui/version.h"

#include <QApplication>

void prepareProgram()
{
    QApplication::setApplicationName(QStringLiteral("Quillard"));
    QApplication::setApplicationVersion(QString::fromLatin1(Version::Text));
    installProgramStyle();
    QApplication::setWindowIcon(programIcon());
    // Names the desktop entry, so docks and task switchers show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillard.Quillard"));
    // The program ends when the main window is closed, or when the settings
    // window is closed before it was saved; never because of the hand-over.
    QApplication::setQuitOnLastWindowClosed(false);
}
