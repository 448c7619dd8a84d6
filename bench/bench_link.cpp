// Two figures for the radio link.
//
// Click to wire: from SendCommand() to the last byte of the command being
// readable at the radio's end of a pseudo-terminal, over 1000 commands. The
// serial line itself needs 14.6 ms for a 14-byte command at 9600 baud; the
// software should add well under 5% of that.
//
// Idle: the main window shown, its port open, nothing happening for 10 s:
// how often the event loop woke, how many timer events it delivered, and the
// processor time the process used.

#include "panel/form2.h"
#include "radio/processusage.h"
#include "radio/seriallink.h"
#include "uitest.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A pseudo-terminal whose slave is linked as <settings dir>/com1.
struct FarEnd {
    int master = -1;
    int keepAlive = -1;

    explicit FarEnd(const QString& settingsDir)
    {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            qFatal("no pseudo-terminal");
        const QByteArray slave = ptsname(master);
        keepAlive = ::open(slave.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios raw{};
        tcgetattr(keepAlive, &raw);
        cfmakeraw(&raw);
        tcsetattr(keepAlive, TCSANOW, &raw);
        const QString link = settingsDir + QStringLiteral("/com1");
        QFile::remove(link);
        QFile::link(QString::fromLatin1(slave), link);
    }
    ~FarEnd()
    {
        ::close(master);
        ::close(keepAlive);
    }

    // Reads until `count` bytes have arrived; false after a second without.
    bool receive(qsizetype count)
    {
        char buffer[64];
        while (count > 0) {
            pollfd ready{master, POLLIN, 0};
            if (::poll(&ready, 1, 1000) != 1)
                return false;
            const ssize_t got = ::read(master, buffer, sizeof buffer);
            if (got > 0)
                count -= got;
        }
        return true;
    }
};

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[index];
}

void clickToWire(const QString& settingsDir)
{
    FarEnd radio(settingsDir);
    SerialLink link;
    if (!link.openLink({QStringLiteral("1"),
                        QStringLiteral("9600"),
                        settingsDir + QStringLiteral("/com1"),
                        {}}))
        qFatal("the link did not open");
    const CatCommand command = CatCommand::frequency(Vfo::A, 14000000);
    const qsizetype size = command.framed().size();

    constexpr int runs = 1000;
    std::vector<double> microseconds;
    microseconds.reserve(runs);
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        link.sendCommand(command);
        if (!radio.receive(size))
            qFatal("command %d did not arrive", i);
        microseconds.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e3);
        // Between clicks the window's event loop runs: the link's notification
        // and its draining happen there, as they would in the program.
        QCoreApplication::processEvents();
    }
    const double lineMs = static_cast<double>(size - 1) * 10.0 / 9600.0 * 1e3;
    std::printf("click to wire, %d x \"%s\" over a pseudo-terminal:\n", runs,
                command.text().constData());
    std::printf("  median %.3f ms, p99 %.3f ms, max %.3f ms (line time at 9600 baud: %.1f ms; "
                "p99 is %.2f%% of it)\n",
                percentile(microseconds, 0.5) / 1e3, percentile(microseconds, 0.99) / 1e3,
                percentile(microseconds, 1.0) / 1e3, lineMs,
                percentile(microseconds, 0.99) / 1e3 / lineMs * 100.0);
}

void idle(const QString& settingsDir)
{
    FarEnd radio(settingsDir);
    Form2 window;
    window.show();
    window.Form_Activate();
    if (!window.link().isOpen())
        qFatal("the main window's link did not open");
    // Let showing and activation settle before measuring.
    QEventLoop settle;
    QTimer::singleShot(500, &settle, &QEventLoop::quit);
    settle.exec();

    int wakeUps = 0;
    int timerEvents = 0;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, dispatcher,
                     [&wakeUps] { ++wakeUps; });
    struct TimerCounter : QObject {
        int* count;
        explicit TimerCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Timer)
                ++*count;
            return false;
        }
    } counter(&timerEvents);
    qApp->installEventFilter(&counter);

    constexpr int seconds = 10;
    const double cpuBefore = (processCpuSeconds() * 1e3);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit); // the one expected wake-up
    loop.exec();
    const double cpu = (processCpuSeconds() * 1e3) - cpuBefore;
    qApp->removeEventFilter(&counter);

    std::printf("idle, main window shown with its port open, %d s:\n", seconds);
    std::printf("  event loop wake-ups %d (1 is the benchmark's own end timer), timer events %d, "
                "processor time %.1f ms\n",
                wakeUps, timerEvents, cpu);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestEnvironment env;
    env.writeSettings("1\r\n9600\r\n");
    clickToWire(env.settingsDir());
    idle(env.settingsDir());
    return 0;
}
