#include "app/program.h"
#include "app/startup.h"
#include "panel/form2.h"
#include "panel/safenavigation.h"
#include "platform/platform.h"
#include "session/cues.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareProgram();
    // A program started from its build tree has no installed cues: it plays
    // those of the source tree it was built from.
    if (QDir(QCoreApplication::applicationDirPath()) ==
        QDir(QStringLiteral(QUILLARD_BUILD_BIN_DIR)))
        setBuildTreeCueFolder(QStringLiteral(QUILLARD_SOURCE_CUES));

    Startup startup(&Form2::load);
    // kill, logout and Ctrl+C end the program as File > Exit does, so the
    // port is closed and its lock file goes.
    Platform::onEndRequest(&app, [&startup] { startup.end(); });
    Platform::watchScreenReader(
        &app, [](bool running) { SafeNavigation::instance().setScreenReaderRunning(running); });
    startup.begin();
    if (startup.ended())
        return 0;
    return QApplication::exec();
}
