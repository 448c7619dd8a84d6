#include "../core/logline.h"
#include "../pty/options.h"
#include "../pty/portlink.h"
#include "../pty/radiosession.h"
#include "../pty/signalwatcher.h"
#include "../pty/virtualport.h"
#include "frontpanel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <memory>

using namespace vradio;

namespace {

enum ExitStatus { Ok = 0, Failure = 1, LinkTaken = 2 };

void complain(const QString& message)
{
    std::fprintf(stderr, "quillard-virtual-radio: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer clock;
    clock.start();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QString programName = arguments.isEmpty() ? QStringLiteral("quillard-virtual-radio")
                                                    : QFileInfo(arguments.constFirst()).fileName();

    const ParsedOptions parsed = parseOptions(arguments);
    if (parsed.action == ParsedOptions::Action::Help) {
        std::fputs(qPrintable(helpText(programName)), stdout);
        return Ok;
    }
    if (parsed.action == ParsedOptions::Action::Error) {
        complain(parsed.error + QStringLiteral(" (try --help)"));
        return Failure;
    }
    const Options& options = parsed.options;

    // Without a window we must not need a display at all.
    std::unique_ptr<QCoreApplication> app;
    if (options.window)
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);

    SignalWatcher watcher;
    if (!watcher.install()) {
        complain(QStringLiteral("cannot watch for termination signals"));
        return Failure;
    }
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, app.get(),
                     &QCoreApplication::quit);

    VirtualPort port;
    QString message;
    if (!port.open(&message)) {
        complain(message);
        return Failure;
    }

    PortLink link;
    const QString linkPath =
        options.linkPath.isEmpty() ? PortLink::defaultPath(options.port) : options.linkPath;
    switch (link.create(linkPath, port.slavePath(), &message)) {
    case PortLink::Result::Created:
        break;
    case PortLink::Result::ReplacedStale:
        complain(message);
        break;
    case PortLink::Result::Occupied:
        complain(message);
        return LinkTaken;
    case PortLink::Result::Failed:
        complain(message);
        return Failure;
    }

    RadioSession session(&port, clock, stdout, options.model, options.replyDelayMs);
    int status = Ok;
    QObject::connect(&port, &VirtualPort::failed, app.get(), [&status, &app](const QString& why) {
        complain(why);
        status = Failure;
        app->quit();
    });

    std::unique_ptr<FrontPanel> panel;
    if (options.window) {
        panel = std::make_unique<FrontPanel>(&session, link.path());
        panel->show();
    }

    session.writeLine(logline::ready(port.slavePath(), link.path()));
    const int loopStatus = app->exec();
    panel.reset();
    link.remove();
    return status != Ok ? status : loopStatus;
}
