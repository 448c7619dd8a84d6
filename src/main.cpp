#include "app/cues.h"
#include "app/pictures.h"
#include "app/programstyle.h"
#include "app/startup.h"
#include "app/version.h"
#include "panel/form2.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillard"));
    QApplication::setApplicationVersion(QString::fromLatin1(Version::Text));
    installProgramStyle();
    QApplication::setWindowIcon(programIcon());
    // Names the desktop entry, so docks and task switchers show its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillard.Quillard"));
    // A program started from its build tree has no installed cues: it plays
    // those of the source tree it was built from.
    if (QDir(QCoreApplication::applicationDirPath()) ==
        QDir(QStringLiteral(QUILLARD_BUILD_BIN_DIR)))
        setBuildTreeCueFolder(QStringLiteral(QUILLARD_SOURCE_CUES));
    // The program ends when the main window is closed, or when the settings
    // window is closed before it was saved; never because of the hand-over.
    QApplication::setQuitOnLastWindowClosed(false);

    Startup startup(&Form2::load);
    startup.begin();
    return QApplication::exec();
}
