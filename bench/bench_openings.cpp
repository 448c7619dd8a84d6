// Growth of resident memory over openings of each window of the main
// window's menus, painted on a real X server.
//
// Each window is measured in a process of its own (Qt's pixmap cache is one
// least-recently-used store for the whole process, so windows measured one
// after the other would share it): the process starts as the program does
// (the same start-up, splash and waits), on the xcb platform of the X server
// in $DISPLAY, with a fresh settings folder, a pseudo-terminal as com1 and
// ALSA's null device. It opens the window through its menu action, closes it
// as soon as it has been painted once, 10 times to warm up and then 200
// times, and prints the growth of its resident memory over the 200 (target:
// under 256 KiB), with the time from the menu action to the window's first
// paint and the growth in open files.
//
//   bench_openings [--count N] [--warm N] [WINDOW...]
//   WINDOW: Memories SSTV SWL SAREX BandPlan Code Copyright About (all by default)

#include "app/program.h"
#include "app/startup.h"
#include "child.h"
#include "figures.h"
#include "panel/form2.h"
#include "session/cues.h"
#include "ui/messagebox.h"
#include "xwatch.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char* const MainTitle = "Kenwood Quillard Version 1.02";

struct Item {
    const char* action; // the menu action's object name
    const char* caption;
};
constexpr Item Items[] = {{"Memories", "Memories"},    {"SSTV", "SSTV"},
                          {"SWL", "Short Wave Radio"}, {"SAREX", "SAREX"},
                          {"BandPlan", "Band Plan"},   {"Code", "Code Reception"},
                          {"Copyright", "Copyright"},  {"About", "About"}};

long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).simplified().split(' ').first().toLong();
    return -1;
}

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System)
                   .size());
}

// Closes each window other than the main one once it has been painted (its
// pixels are flushed to the X server in the same pass, before the event loop
// turns again), and takes the time from the menu action to that first paint.
class CloseWhenPainted : public QObject {
public:
    QWidget* main = nullptr;
    QElapsedTimer sinceAction;
    std::vector<double> firstPaintMs;
    int painted = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() == main || m_pending)
            return false;
        m_pending = widget->window();
        firstPaintMs.push_back(static_cast<double>(sinceAction.nsecsElapsed()) / 1e6);
        QTimer::singleShot(0, m_pending, [this] {
            if (m_pending) {
                ++painted;
                m_pending->close();
            }
            m_pending = nullptr;
        });
        return false;
    }

private:
    QPointer<QWidget> m_pending;
};

// Runs the event loop for this long (sleeping when there is nothing to do).
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The main window, once the start-up has shown it.
Form2* waitForMainWindow(int timeoutMs)
{
    const auto find = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* main = qobject_cast<Form2*>(widget); main && main->isVisible())
                return main;
        return static_cast<Form2*>(nullptr);
    };
    QElapsedTimer waited;
    waited.start();
    while (!find() && waited.elapsed() < timeoutMs)
        runFor(100);
    return find();
}

int openingsOf(int argc, char** argv, const char* action, int warm, int count)
{
    BenchEnvironment env;
    env.applyHere();
    QApplication app(argc, argv);
    // The program's own start (src/main.cpp).
    prepareProgram();
    setBuildTreeCueFolder(QStringLiteral(QUILLARD_SOURCE_DIR "/assets/cues"));
    // A box the windows raise is recorded and answered instead of shown.
    MessageBox::setScripted(true);
    // The radio swallows whatever it is sent.
    QSocketNotifier radio(env.radioFd(), QSocketNotifier::Read);
    QObject::connect(&radio, &QSocketNotifier::activated, &radio, [&env] { env.drainRadio(); });
    // Nothing here may hang the benchmark.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &watchdog, [action] {
        std::printf("%-17s did not finish within 10 minutes\n", action);
        std::fflush(stdout);
        std::_Exit(1);
    });
    watchdog.start(600000);

    Startup startup(&Form2::load);
    startup.begin();
    Form2* main = waitForMainWindow(20000);
    QAction* item = main ? main->findChild<QAction*>(QString::fromLatin1(action)) : nullptr;
    if (!item) {
        std::printf("%-17s %s\n", action, main ? "has no menu action" : "no main window");
        return 1;
    }
    runFor(500); // the main window painted and active

    CloseWhenPainted closer;
    closer.main = main;
    app.installEventFilter(&closer);
    const auto openOnce = [&] {
        // A window that is never painted is closed after 3 s (and not counted).
        QTimer fallback;
        fallback.setSingleShot(true);
        QObject::connect(&fallback, &QTimer::timeout, &fallback, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        fallback.start(3000);
        closer.sinceAction.start();
        item->trigger(); // returns once the window has closed
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    const auto settle = [] {
        runFor(200);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        runFor(200);
    };
    for (int i = 0; i < warm; ++i)
        openOnce();
    settle();
    const long rssBefore = statusKiB("VmRSS:");
    const long anonBefore = statusKiB("RssAnon:");
    const int filesBefore = openFiles();
    const int paintedBefore = closer.painted;
    closer.firstPaintMs.clear();
    for (int i = 0; i < count; ++i)
        openOnce();
    settle();
    const long rssAfter = statusKiB("VmRSS:");
    const long anonAfter = statusKiB("RssAnon:");
    app.removeEventFilter(&closer);

    const char* caption = action;
    for (const Item& known : Items)
        if (!std::strcmp(known.action, action))
            caption = known.caption;
    std::printf("  %-17s %+7ld %+7ld %8.1f %8d/%-4d %8.1f %8.1f %+6d %6ld %6lld\n", caption,
                rssAfter - rssBefore, anonAfter - anonBefore,
                static_cast<double>(rssAfter - rssBefore) / count, closer.painted - paintedBefore,
                count, median(closer.firstPaintMs), percentile(closer.firstPaintMs, 1.0),
                openFiles() - filesBefore, rssAfter,
                static_cast<long long>(MessageBox::takeShown().size()));
    std::fflush(stdout);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    int warm = 10, count = 200;
    const char* measured = nullptr; // in the process measuring one window
    std::vector<std::string> windows;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--count") && i + 1 < argc)
            count = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--warm") && i + 1 < argc)
            warm = std::max(0, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--window") && i + 1 < argc)
            measured = argv[++i];
        else
            windows.emplace_back(argv[i]);
    }
    if (measured)
        return openingsOf(argc, argv, measured, warm, count);
    if (windows.empty())
        for (const Item& item : Items)
            windows.emplace_back(item.action);

    {
        XWatch x;
        if (!x.ok()) {
            std::printf("openings: skipped (needs an X server in $DISPLAY; bench/run.sh starts "
                        "one)\n");
            return 0;
        }
    }
    std::printf("openings through the menu, each window in a process of its own on %s, painted, "
                "then closed;\n%d warm-up openings, then %d measured:\n",
                std::getenv("DISPLAY"), warm, count);
    std::printf("  %-17s %7s %7s %8s %13s %8s %8s %6s %6s %6s\n", "", "growth", "anon", "KiB per",
                "", "1st paint", "worst", "open", "RSS", "boxes");
    std::printf("  %-17s %7s %7s %8s %13s %8s %8s %6s %6s %6s\n", "window", "KiB", "KiB", "opening",
                "painted", "ms", "ms", "files", "KiB", "shown");
    std::fflush(stdout);
    int failed = 0;
    for (const std::string& window : windows) {
        Child child = startChild({ownFolder() + "/bench_openings", "--window", window, "--warm",
                                  std::to_string(warm), "--count", std::to_string(count)},
                                 currentEnvironment());
        if (waitChild(child) != 0)
            ++failed;
    }
    std::printf("  target: growth under 256 KiB over the %d openings of each window; menu action "
                "to first paint under 100 ms\n",
                count);
    return failed ? 1 : 0;
}
