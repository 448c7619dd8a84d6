// Figures for the radio link.
//
// End to end, on the real program (quillard, from this build) under the X
// server in $DISPLAY, with a pseudo-terminal as com1:
//  - idle: once the main window is up and its port open, the processor time
//    and context switches of all its threads over 30 s with nothing happening;
//  - click to wire: XTEST clicks (press, then release) on "Frequency  Up",
//    which sends "UP;" and plays no cue, 300 of them 40 ms apart: from
//    sending the release to the first byte readable at the radio's end, and
//    to the whole command. Median and p99; the target is a median under 3 ms.
//  - typed entry to wire: Ctrl+S opens Station Controls, "14.074" is typed
//    into its frequency field once, then Enter (an XTEST key press) 200
//    times, 40 ms apart: from the press to the last byte of the frequency
//    command ("FR0;" "FA00014074000;") at the radio's end. Median and p99,
//    beside the click figure of the same run; the target is the click's.
//
// In this process, offscreen:
//  - click to wire: from SendCommand() to the last byte of the command being
//    readable at the radio's end of a pseudo-terminal, over 1000 commands.
//    The serial line itself needs 14.6 ms for a 14-byte command at 9600 baud;
//    the software should add well under 5% of that.
//  - idle: the main window shown, its port open, nothing happening for 10 s:
//    how often the event loop woke, how many timer events it delivered, and
//    the processor time the process used.
//
//   bench_link [--clicks N] [--enters N] [--gap-ms MS] [--idle-seconds S]

#include "child.h"
#include "figures.h"
#include "panel/form2.h"
#include "procfs.h"
#include "pty/rawpty.h"
#include "radio/processusage.h"
#include "radio/seriallink.h"
#include "uitest.h"
#include "where.h"
#include "xwatch.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status, ...) would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// A pseudo-terminal whose slave is linked as <settings dir>/com1.
struct FarEnd {
    RawPty pty;
    int master = pty.master();

    explicit FarEnd(const QString& settingsDir)
    {
        const QString link = settingsDir + QStringLiteral("/com1");
        QFile::remove(link);
        QFile::link(QString::fromStdString(pty.slavePath()), link);
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

void clickToWire(const QString& settingsDir)
{
    FarEnd radio(settingsDir);
    SerialLink link;
    if (!link.openLink({1, 9600, settingsDir + QStringLiteral("/com1"), {}}))
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

// The centre of a control, from this program's own layout (see where.h).
bool controlPlace(const BenchEnvironment& env, const char* name, int& x, int& y)
{
    Child where =
        startChild({ownFolder() + "/bench_link", "--where", name}, env.childEnvironment(), true);
    std::istringstream answer(readAll(where.stdoutFd));
    waitChild(where);
    return static_cast<bool>(answer >> x >> y);
}

// A key pressed (and released unless told not to), with Ctrl held when asked.
void pressKey(Display* display, KeySym symbol, bool control = false, bool release = true)
{
    const KeyCode ctrl = XKeysymToKeycode(display, XK_Control_L);
    if (control)
        XTestFakeKeyEvent(display, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), True, CurrentTime);
    if (release)
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(display, ctrl, False, CurrentTime);
    XFlush(display);
}

void clickAt(Display* display, Window window, int x, int y)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

// Station Controls' typed frequency, Enter after Enter: see the top.
// fieldX, fieldY: the frequency field's centre in Station Controls.
void typedEntryToWire(XWatch& x, BenchEnvironment& env, int fieldX, int fieldY, int enters,
                      double gapMs, double clickMedianMs)
{
    Display* display = x.display();
    const int radio = env.radioFd();
    pressKey(display, XK_s, true);
    if (!x.waitUntil([&] { return x.mappedNamed("Station Controls") != nullptr; }, 5000, radio)) {
        std::printf("typed entry: Station Controls did not open within 5 s\n");
        return;
    }
    const Window window = x.mappedNamed("Station Controls")->id;
    x.pumpFor(300, radio);
    clickAt(display, window, fieldX, fieldY);
    x.pumpFor(100, radio);
    for (const KeySym key : {XK_1, XK_4, XK_period, XK_0, XK_7, XK_4})
        pressKey(display, key);
    x.pumpFor(200, radio);
    env.drainRadio();

    const std::string expected = "FR0;\rFA00014074000;\r";
    std::vector<double> whole;
    int lost = 0;
    for (int enter = 0; enter < enters; ++enter) {
        env.drainRadio();
        const double pressed = monotonicMs();
        pressKey(display, XK_Return, false, false);
        std::string got;
        for (;;) {
            pollfd ready{radio, POLLIN, 0};
            if (poll(&ready, 1, 1000) != 1)
                break;
            const double now = monotonicMs();
            got += env.drainRadio();
            if (got.size() >= expected.size() &&
                got.compare(got.size() - expected.size(), expected.size(), expected) == 0) {
                whole.push_back(now - pressed);
                break;
            }
        }
        if (got.empty())
            ++lost;
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Return), False, CurrentTime);
        XFlush(display);
        x.pumpFor(gapMs, radio);
    }
    std::printf(
        "typed entry to wire end to end: \"14.074\" in Station Controls' frequency "
        "field, %d XTEST Enter presses %.0f ms apart; each sends \"FR0;|FA00014074000;|\"\n",
        enters, gapMs);
    if (whole.empty()) {
        std::printf("  no Enter reached the wire\n");
        return;
    }
    std::printf("  Enter to the frequency command's last byte: median %.3f ms, p99 %.3f ms, max "
                "%.3f ms (%zu presses, %d lost)   (click's release to first byte in this run: "
                "median %.3f ms; target: median under 3 ms)\n",
                percentile(whole, 0.5), percentile(whole, 0.99), percentile(whole, 1.0),
                whole.size(), lost, clickMedianMs);
}

struct EndToEnd {
    int clicks = 300;
    int enters = 200;
    double gapMs = 40;
    int idleSeconds = 30;
};

void endToEnd(const EndToEnd& options)
{
    XWatch x;
    if (!x.ok()) {
        std::printf("end to end: skipped (needs an X server with DAMAGE in $DISPLAY; "
                    "bench/run.sh starts one)\n");
        return;
    }
    Display* display = x.display();
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::printf("end to end: skipped (the X server has no XTEST)\n");
        return;
    }
    BenchEnvironment env;
    Child where = startChild({ownFolder() + "/bench_link", "--where", "Command4"},
                             env.childEnvironment(), true);
    std::istringstream answer(readAll(where.stdoutFd));
    waitChild(where);
    int buttonX = -1, buttonY = -1;
    if (!(answer >> buttonX >> buttonY)) {
        std::printf("end to end: \"Frequency  Up\" (Command4) was not found\n");
        return;
    }
    // Asked before the program starts: the layout's window must not open the port.
    int fieldX = -1, fieldY = -1;
    if (!controlPlace(env, "StationControls/txtFrequency", fieldX, fieldY))
        fieldX = -1;
    x.forget();

    Child program = startChild({QUILLARD_PROGRAM}, env.childEnvironment());
    if (!x.waitUntil([&] { return x.mappedNamed(mainWindowTitle()) != nullptr; }, 20000,
                     env.radioFd())) {
        std::printf("end to end: no main window within 20 s\n");
        stopChild(program);
        return;
    }
    const Window window = x.mappedNamed(mainWindowTitle())->id;
    // The window becomes active and opens its port; the start-up's bytes go.
    x.pumpFor(2000, env.radioFd());

    // Idle: nothing happens; whatever the radio receives is counted.
    const ThreadsUse before = threadsUse(program.pid);
    const double idleStart = monotonicMs();
    size_t idleBytes = 0;
    while (monotonicMs() - idleStart < options.idleSeconds * 1000.0) {
        x.pumpFor(options.idleSeconds * 1000.0 - (monotonicMs() - idleStart));
        idleBytes += env.drainRadio().size();
    }
    const ThreadsUse::Since used = threadsUse(program.pid).since(before);
    std::printf("idle, the real program with its main window up and its port open, %d s:\n",
                options.idleSeconds);
    std::printf("  processor time %.2f ms, context switches %ld (%ld voluntary, %ld involuntary) "
                "over %d threads (%d ended meanwhile); bytes sent %zu\n",
                used.cpuMs, used.voluntary + used.involuntary, used.voluntary, used.involuntary,
                used.threads, used.ended, idleBytes);
    std::fflush(stdout);

    std::vector<double> first, whole;
    int lost = 0;
    std::string oneClick;
    const int radio = env.radioFd();
    for (int click = 0; click < options.clicks; ++click) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), buttonX, buttonY, &rootX,
                              &rootY, &child);
        XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
        poll(nullptr, 0, 5); // the press is handled; the button is down
        env.drainRadio();
        const double released = monotonicMs();
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        double firstMs = -1;
        std::string got;
        for (;;) {
            pollfd ready{radio, POLLIN, 0};
            if (poll(&ready, 1, 1000) != 1)
                break;
            const double now = monotonicMs();
            const std::string bytes = env.drainRadio();
            if (bytes.empty())
                continue;
            if (firstMs < 0)
                firstMs = now - released;
            got += bytes;
            if (got.back() == '\r') {
                whole.push_back(now - released);
                break;
            }
        }
        if (firstMs < 0) {
            ++lost;
        } else {
            first.push_back(firstMs);
            if (oneClick.empty())
                oneClick = got;
        }
        x.pumpFor(options.gapMs, radio);
    }
    if (fieldX < 0)
        std::printf("typed entry: Station Controls' frequency field was not found\n");
    else
        typedEntryToWire(x, env, fieldX, fieldY, options.enters, options.gapMs,
                         first.empty() ? -1 : percentile(first, 0.5));
    stopChild(program);
    for (char& c : oneClick)
        if (c == '\r')
            c = '|';
    std::printf("click to wire end to end: %d XTEST clicks on \"Frequency  Up\" at %d,%d, %.0f ms "
                "apart; one click sends \"%s\" ('|' = CR)\n",
                options.clicks, buttonX, buttonY, options.gapMs, oneClick.c_str());
    if (first.empty()) {
        std::printf("  no click reached the wire\n");
        return;
    }
    std::printf("  release to first byte: median %.3f ms, p99 %.3f ms, max %.3f ms (%zu clicks, "
                "%d lost)   (target: median under 3 ms)\n",
                percentile(first, 0.5), percentile(first, 0.99), percentile(first, 1.0),
                first.size(), lost);
    std::printf("  release to whole command: median %.3f ms, p99 %.3f ms\n", percentile(whole, 0.5),
                percentile(whole, 0.99));
}

} // namespace

int main(int argc, char** argv)
{
    EndToEnd options;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--where") && i + 1 < argc)
            return printWhere(argc, argv, argv[i + 1]);
        if (!std::strcmp(argv[i], "--clicks") && i + 1 < argc)
            options.clicks = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--enters") && i + 1 < argc)
            options.enters = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--gap-ms") && i + 1 < argc)
            options.gapMs = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--idle-seconds") && i + 1 < argc)
            options.idleSeconds = std::max(1, std::atoi(argv[++i]));
    }
    endToEnd(options);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestEnvironment env;
    env.writeSettings("1\r\n9600\r\n");
    clickToWire(env.settingsDir());
    idle(env.settingsDir());
    return 0;
}
