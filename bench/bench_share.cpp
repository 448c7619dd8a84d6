// A click's way to the radio through rigctld beside the same over the serial
// port, measured in one run.
//
// End to end, on the real program (quillard, from this build) under the X
// server in $DISPLAY: XTEST clicks (press, then release) alternating "40m"
// and "20m", each of which sends "FR0;" and its frequency, from sending the
// release to the frequency command's last byte at a TS-570 stand-in on a
// pseudo-terminal; 300 clicks, median and p99. Once with com1 the
// pseudo-terminal itself, once with com1.conf pointing port 1 at a real
// rigctld (Debian's, started here on 127.0.0.1) that owns the pseudo-terminal
// and whose own queries the stand-in answers. The target through rigctld is a
// median under 50 ms.
//
// Then, in the same program, Ctrl+M opens the memory sheet, ten channels are
// typed in and "Write to radio" is clicked: from the release to the tenth
// channel's command at the radio, over both.
//
// In this process: from sendCommand() to the command's last byte at the
// stand-in, 300 times over each; then a memory write of ten channels (ten
// "MW" commands, each followed by the 0.2 s pause) over both.
//
// Prints figures, asserts nothing.
//
//   bench_share [--clicks N] [--gap-ms MS]

#include "child.h"
#include "figures.h"
#include "radio/daemonprocess.h"
#include "radio/rigctldlink.h"
#include "radio/seriallink.h"
#include "radio/ts570standin.h"
#include "where.h"
#include "xwatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <poll.h>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status, ...) would clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {
constexpr int Clicks = 300;

struct Options {
    int clicks = 300;
    double gapMs = 60;
};

// The two band buttons clicked in turn, and the frequency command each sends
// last on VFO A.
struct Target {
    const char* name;
    const char* caption;
    QByteArray lastCommand;
    int x = -1;
    int y = -1;
};

// While the benchmark waits for the program, the stand-in keeps answering
// rigctld's queries.
bool waitServing(XWatch& x, Ts570StandIn& radio, const std::function<bool()>& done,
                 double timeoutMs)
{
    const double start = monotonicMs();
    while (monotonicMs() - start < timeoutMs) {
        radio.arrivedMeanwhile();
        if (x.waitUntil(done, 20))
            return true;
    }
    return false;
}

void serveFor(XWatch& x, Ts570StandIn& radio, double ms)
{
    waitServing(
        x, radio, [] { return false; }, ms);
}

struct Clicked {
    std::vector<double> ms;
    int lost = 0;
    QByteArray oneClick;
    double writeSeconds = -1; // "Write to radio" to the tenth channel at the radio
};

// A control's centre in its window, as a child run with --where prints it.
struct Place {
    int x = -1;
    int y = -1;
};

bool findPlace(const BenchEnvironment& env, const char* name, Place& place)
{
    Child where =
        startChild({ownFolder() + "/bench_share", "--where", name}, env.childEnvironment(), true);
    std::istringstream answer(readAll(where.stdoutFd));
    waitChild(where);
    return static_cast<bool>(answer >> place.x >> place.y);
}

void clickAt(Display* display, unsigned long window, Place place)
{
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), place.x, place.y, &rootX,
                          &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
}

void release(Display* display)
{
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
}

void typeKey(XWatch& x, Ts570StandIn& radio, const char* keysym, bool control = false)
{
    Display* display = x.display();
    const unsigned int ctrl = XKeysymToKeycode(display, XK_Control_L);
    const unsigned int key = XKeysymToKeycode(display, XStringToKeysym(keysym));
    if (control)
        XTestFakeKeyEvent(display, ctrl, True, CurrentTime);
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    if (control)
        XTestFakeKeyEvent(display, ctrl, False, CurrentTime);
    XFlush(display);
    serveFor(x, radio, 5);
}

// Opens the memory sheet with Ctrl+M, types ten channels on 14.2 MHz USB and
// clicks "Write to radio": seconds from the release to the tenth channel's
// command at the radio (each channel is followed by the 0.2 s pause).
double writeSheet(XWatch& x, Ts570StandIn& radio, const Place& freq00, const Place& writeButton)
{
    Display* display = x.display();
    typeKey(x, radio, "m", true);
    const std::string title = "Program Radio Memory";
    if (!waitServing(
            x, radio, [&] { return x.mappedNamed(title) != nullptr; }, 10000))
        return -1;
    const unsigned long sheet = x.mappedNamed(title)->id;
    serveFor(x, radio, 500);
    clickAt(display, sheet, freq00);
    release(display);
    serveFor(x, radio, 100);
    for (int channel = 0; channel < 10; ++channel) {
        for (const char* digit : {"1", "4", "2", "0", "0", "0", "0"})
            typeKey(x, radio, digit);
        typeKey(x, radio, "Tab");
        for (const char* letter : {"u", "s", "b"})
            typeKey(x, radio, letter);
        typeKey(x, radio, "Tab");
    }
    serveFor(x, radio, 300);
    clickAt(display, sheet, writeButton);
    serveFor(x, radio, 5);
    radio.forget();
    const double released = monotonicMs();
    release(display);
    if (!radio.waitUntil([&] { return radio.arrivedMeanwhile().count("MW") >= 10; }, 10000))
        return -1;
    return (monotonicMs() - released) / 1e3;
}

// The real program started on env's settings folder, its band buttons clicked.
Clicked clickProgram(XWatch& x, BenchEnvironment& env, Ts570StandIn& radio,
                     std::vector<Target>& targets, const Place& freq00, const Place& writeButton,
                     const Options& options)
{
    Clicked result;
    Display* display = x.display();
    x.forget();
    Child program = startChild({QUILLARD_PROGRAM}, env.childEnvironment());
    const std::string title = mainWindowTitle();
    if (!waitServing(
            x, radio, [&] { return x.mappedNamed(title) != nullptr; }, 20000)) {
        std::printf("  no main window within 20 s\n");
        stopChild(program);
        return result;
    }
    const Window window = x.mappedNamed(title)->id;
    // The window becomes active and opens its port; the start-up's bytes go.
    serveFor(x, radio, 2000);

    for (int click = 0; click < options.clicks; ++click) {
        const Target& target = targets[click % targets.size()];
        clickAt(display, window, {target.x, target.y});
        serveFor(x, radio, 5); // the press is handled; the button is down
        radio.forget();
        const double released = monotonicMs();
        release(display);
        if (radio.waitContaining(target.lastCommand, 3000)) {
            result.ms.push_back(monotonicMs() - released);
            if (result.oneClick.isEmpty())
                result.oneClick = radio.arrivedMeanwhile();
        } else {
            ++result.lost;
        }
        serveFor(x, radio, options.gapMs);
    }
    // A band button takes the keyboard for the panel, whose Ctrl+M opens the sheet.
    clickAt(display, window, {targets[0].x, targets[0].y});
    release(display);
    serveFor(x, radio, 300);
    result.writeSeconds = writeSheet(x, radio, freq00, writeButton);
    stopChild(program);
    return result;
}

void printClicks(const char* what, const Clicked& clicked)
{
    if (clicked.ms.empty()) {
        std::printf("  %-32s no click reached the radio (%d lost)\n", what, clicked.lost);
        return;
    }
    std::printf("  %-32s median %7.2f ms  p99 %7.2f ms  max %7.2f ms  (n=%zu, %d lost)\n", what,
                median(clicked.ms), percentile(clicked.ms, 0.99), percentile(clicked.ms, 1.0),
                clicked.ms.size(), clicked.lost);
}

void printWrite(const char* what, double seconds)
{
    if (seconds < 0)
        std::printf("  %-32s the sheet did not open or the tenth channel did not arrive\n", what);
    else
        std::printf("  %-32s %7.3f s\n", what, seconds);
}

void endToEnd(const Options& options)
{
    XWatch x;
    if (!x.ok()) {
        std::printf("end to end: skipped (needs an X server with DAMAGE in $DISPLAY; "
                    "bench/run.sh starts one)\n");
        return;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(x.display(), &event, &error, &major, &minor)) {
        std::printf("end to end: skipped (the X server has no XTEST)\n");
        return;
    }
    std::vector<Target> targets = {{"m40", "40m", "FA00007000000;\r"},
                                   {"m20", "20m", "FA00014000000;\r"}};
    BenchEnvironment serialEnv;
    for (Target& target : targets) {
        Place place;
        if (!findPlace(serialEnv, target.name, place)) {
            std::printf("end to end: \"%s\" (%s) was not found\n", target.caption, target.name);
            return;
        }
        target.x = place.x;
        target.y = place.y;
    }
    Place freq00, writeButton;
    if (!findPlace(serialEnv, "Form1/freq00", freq00) ||
        !findPlace(serialEnv, "Form1/Command2", writeButton)) {
        std::printf("end to end: the memory sheet's freq00 or \"Write to radio\" was not found\n");
        return;
    }

    // Port 1 straight to a stand-in: com1 is its pseudo-terminal.
    Ts570StandIn serialRadio;
    const std::string com1 = serialEnv.settingsDir() + "/com1";
    ::unlink(com1.c_str());
    if (::symlink(serialRadio.devicePath().toStdString().c_str(), com1.c_str()) != 0) {
        std::printf("end to end: cannot link com1\n");
        return;
    }

    // Port 1 through rigctld, which owns another stand-in's pseudo-terminal.
    Ts570StandIn sharedRadio;
    DaemonProcess rigctld;
    if (!rigctld.startRigctld(sharedRadio.devicePath())) {
        std::printf("end to end: rigctld did not start: %s\n", qPrintable(rigctld.output()));
        return;
    }
    BenchEnvironment sharedEnv;
    std::ofstream(sharedEnv.settingsDir() + "/com1.conf")
        << "via=rigctld\nhost=127.0.0.1\nport=" << rigctld.port() << "\n";

    std::printf("click to radio end to end: %d XTEST clicks alternating \"%s\" and \"%s\", "
                "%.0f ms apart, release to the frequency command's last byte:\n",
                options.clicks, targets[0].caption, targets[1].caption, options.gapMs);
    std::fflush(stdout);
    const Clicked serial =
        clickProgram(x, serialEnv, serialRadio, targets, freq00, writeButton, options);
    printClicks("serial port (pseudo-terminal)", serial);
    std::fflush(stdout);
    const Clicked shared =
        clickProgram(x, sharedEnv, sharedRadio, targets, freq00, writeButton, options);
    printClicks("through rigctld on 127.0.0.1", shared);
    std::printf("  %-32s median under 50 ms\n", "target through rigctld");
    QByteArray shown = shared.oneClick;
    shown.replace('\r', '|');
    std::printf("  one click through rigctld brought the radio \"%s\" ('|' = CR)\n",
                shown.constData());
    std::printf("memory write end to end: ten channels typed into the sheet, \"Write to radio\" "
                "clicked, release to the tenth channel at the radio (ten 0.2 s pauses):\n");
    printWrite("serial port (pseudo-terminal)", serial.writeSeconds);
    printWrite("through rigctld on 127.0.0.1", shared.writeSeconds);
    std::fflush(stdout);
}

// The band buttons' commands, over and over, as a clicking operator sends them.
CatCommand click(int i)
{
    static const quint64 bands[] = {1830000, 3581500, 7040000, 14225000, 21200000, 28500000};
    return CatCommand::frequency(i % 2 ? Vfo::B : Vfo::A, bands[i % 6]);
}

template <typename Link> std::vector<double> clicksToRadio(Link& link, Ts570StandIn& radio)
{
    std::vector<double> ms;
    for (int i = 0; i < Clicks; ++i) {
        const CatCommand command = click(i);
        QElapsedTimer timer;
        timer.start();
        link.sendCommand(command);
        if (!radio.waitMeanwhile(command.framed(), 5000)) {
            std::printf("command %d did not arrive\n", i);
            break;
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
        // The acknowledgement and the next poll of other programs come in between.
        QTest::qWait(5);
    }
    return ms;
}

template <typename Link> double memoryWrite(Link& link, Ts570StandIn& radio)
{
    QElapsedTimer timer;
    timer.start();
    CatCommand last = CatCommand::transmit();
    for (int channel = 0; channel < 10; ++channel) {
        last = *CatCommand::memoryWrite(channel, QStringLiteral("1420000"), QStringLiteral("2"));
        link.sendCommand(last);
        QTest::qWait(200);
    }
    radio.waitMeanwhile(last.framed(), 5000);
    return timer.nsecsElapsed() / 1e9;
}

void print(const char* what, const std::vector<double>& ms)
{
    std::printf("  %-38s median %7.2f ms  p99 %7.2f ms  (n=%zu)\n", what, median(ms),
                percentile(ms, 0.99), ms.size());
}
} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--where") && i + 1 < argc)
            return printWhere(argc, argv, argv[i + 1]);
        if (!std::strcmp(argv[i], "--clicks") && i + 1 < argc)
            options.clicks = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--gap-ms") && i + 1 < argc)
            options.gapMs = std::atof(argv[++i]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QCoreApplication app(argc, argv);
    endToEnd(options);

    Ts570StandIn serialRadio;
    SerialLink serial;
    serial.openLink({1, 9600, serialRadio.devicePath(), {}});

    Ts570StandIn sharedRadio;
    DaemonProcess rigctld;
    if (!rigctld.startRigctld(sharedRadio.devicePath())) {
        std::printf("rigctld did not start: %s\n", qPrintable(rigctld.output()));
        return 1;
    }
    RigctldLink shared;
    DaemonSettings settings;
    settings.port = 1;
    settings.tcpPort = rigctld.port();
    shared.configure(settings);
    shared.open();
    QTest::qWait(300);

    std::printf(
        "in this process, sendCommand() to the command's last byte at the radio, %d each:\n",
        Clicks);
    print("serial port (pseudo-terminal)", clicksToRadio(serial, serialRadio));
    print("through rigctld on 127.0.0.1", clicksToRadio(shared, sharedRadio));
    std::printf("memory write of ten channels in this process (with ten 0.2 s pauses):\n");
    std::printf("  %-38s %7.3f s\n", "serial port", memoryWrite(serial, serialRadio));
    std::printf("  %-38s %7.3f s\n", "through rigctld", memoryWrite(shared, sharedRadio));
    return 0;
}
