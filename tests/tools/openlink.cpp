// Opens a device through Quillard's serial link as the program does and
// prints what the link tells the operator, for black-box tests that run it
// as another user. Exits 0 when the port opened, 1 when it did not.
//   openlink <device>
#include "radio/seriallink.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: openlink <device>\n");
        return 2;
    }
    SerialLink link;
    QObject::connect(&link, &SerialLink::problem, &app, [](const QString& message) {
        std::printf("%s\n", qPrintable(message));
        std::fflush(stdout);
    });
    const bool opened = link.openLink({1, 9600, QString::fromLocal8Bit(argv[1]), {}});
    // The link reports from the event loop.
    QTimer::singleShot(200, &app, &QCoreApplication::quit);
    QCoreApplication::exec();
    return opened ? 0 : 1;
}
