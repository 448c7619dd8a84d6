// Start-up figures.
//
// On the X server in $DISPLAY, rounds of two children, interleaved: the bare
// Qt window (bare_window), timed from process start (just before exec) to its
// window mapped and first drawn; and the real program (quillard, from this
// build, fresh settings folder with qd.cfg, a pseudo-terminal as com1, ALSA's
// null device), timed from process start to the splash mapped and first
// drawn and to the main window mapped. "Drawn" is the first DAMAGE the X
// server reports on the mapped window. The figure with a target is the
// median, over the rounds, of the splash drawn minus the bare window's first
// paint in the same round.
//
// Then the processor time the start-up waits use (4 s in all): a waiting loop
// that spins would burn the whole 4 s. Measured in this process, offscreen,
// with the splash shown, and for the real program from its start to its main
// window.
//
//   bench_startup [--rounds N]      (15 by default)

#include "child.h"
#include "clock/clock.h"
#include "figures.h"
#include "procfs.h"
#include "radio/processusage.h"
#include "ui/splash.h"
#include "xwatch.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const std::string MainTitle = "Kenwood Quillard Version 1.02";
const std::string BareTitle = "bare Qt window";

struct Series {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    void print(const char* what) const
    {
        std::printf("  %-40s median %8.1f ms  (min %8.1f, max %8.1f, n=%zu)\n", what,
                    median(values), percentile(values, 0.0), percentile(values, 1.0),
                    values.size());
    }
};

void splashAndMainWindow(int rounds)
{
    XWatch x;
    if (!x.ok()) {
        std::printf("process start to windows: skipped (needs an X server with DAMAGE in "
                    "$DISPLAY; bench/run.sh starts one)\n");
        return;
    }
    Series bareMapped, bareDrawn, splashMapped, splashDrawn, mainMapped, difference, cpu;
    double mainAtMs = 0;
    for (int round = 0; round < rounds; ++round) {
        double bareDrawnMs = -1;
        {
            BenchEnvironment env;
            x.forget();
            Child bare = startChild({BARE_WINDOW, "400x300"}, env.childEnvironment());
            const XWatch::TopLevel* window = nullptr;
            x.waitUntil(
                [&] {
                    window = x.mappedNamed(BareTitle);
                    return window && window->drawnMs >= 0;
                },
                10000, env.radioFd());
            if (window && window->drawnMs >= 0) {
                bareMapped.add(window->mappedMs - bare.execMs);
                bareDrawnMs = window->drawnMs - bare.execMs;
                bareDrawn.add(bareDrawnMs);
            } else {
                std::printf("  round %d: the bare window was not drawn within 10 s\n", round + 1);
            }
            stopChild(bare);
        }
        {
            BenchEnvironment env;
            x.forget();
            Child program = startChild({QUILLARD_PROGRAM}, env.childEnvironment());
            ThreadsUse use;
            const bool up = x.waitUntil(
                [&] {
                    if (!x.mappedNamed(MainTitle))
                        return false;
                    use = threadsUse(program.pid);
                    return true;
                },
                20000, env.radioFd());
            if (up) {
                const std::vector<XWatch::TopLevel> windows = x.mapped();
                const XWatch::TopLevel& first = windows.front();
                const double mainMs = x.mappedNamed(MainTitle)->mappedMs - program.execMs;
                mainMapped.add(mainMs);
                mainAtMs = mainMs;
                cpu.add(use.since(ThreadsUse{}).cpuMs);
                if (first.name != MainTitle && first.drawnMs >= 0) {
                    splashMapped.add(first.mappedMs - program.execMs);
                    splashDrawn.add(first.drawnMs - program.execMs);
                    if (bareDrawnMs >= 0)
                        difference.add(first.drawnMs - program.execMs - bareDrawnMs);
                } else {
                    std::printf("  round %d: no splash drawn before the main window\n", round + 1);
                }
                if (round == 0)
                    std::printf("  the program's first window: \"%s\" %dx%d\n", first.name.c_str(),
                                first.width, first.height);
            } else {
                std::printf("  round %d: no main window within 20 s\n", round + 1);
            }
            stopChild(program);
        }
    }
    std::printf("process start (just before exec) to, over %d interleaved rounds:\n", rounds);
    bareMapped.print("bare Qt window 400x300 mapped");
    bareDrawn.print("bare Qt window first paint");
    splashMapped.print("quillard splash mapped");
    splashDrawn.print("quillard splash drawn");
    mainMapped.print("quillard main window mapped");
    std::printf("  splash drawn minus the bare window's first paint in the same round:\n"
                "    median %+.1f ms (min %+.1f, max %+.1f)   (target: within 10 ms)\n",
                median(difference.values), percentile(difference.values, 0.0),
                percentile(difference.values, 1.0));
    std::printf("  quillard processor time from start to the main window mapped: median %.0f ms "
                "(all threads) in about %.1f s\n",
                median(cpu.values), mainAtMs / 1e3);
}

void waitCpu()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_startup";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    auto* splash = new Splash;
    splash->show();
    const double before = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(2);
    WaitSeconds(2);
    const double used = processCpuSeconds() - before;
    std::printf("start-up waits (in this process, offscreen): %.3f s of wall time, %.4f s of CPU "
                "(%.2f%% of a core); target under 0.04 s\n",
                clock.nsecsElapsed() / 1e9, used, 100.0 * used / (clock.nsecsElapsed() / 1e9));
    delete splash;
}
} // namespace

int main(int argc, char** argv)
{
    int rounds = 15;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
    // This process shows a splash of its own below: no session bus for it either.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    splashAndMainWindow(rounds);
    waitCpu();
    return 0;
}
