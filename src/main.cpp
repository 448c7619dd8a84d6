#include "app/startup.h"

#include "app/form3.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillard"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.2"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/quillard-icon.png")));
    // The program ends when the main window is closed, or when the settings
    // window is closed before it was saved; never because of the hand-over.
    QApplication::setQuitOnLastWindowClosed(false);

    Startup startup;
    startup.begin();
    return QApplication::exec();
}
