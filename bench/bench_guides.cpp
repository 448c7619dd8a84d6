// Two figures for the guides, each opened from its menu item on a loaded main
// window whose port is a pseudo-terminal.
//
// Menu to interactive: from triggering the menu item to the first turn of the
// guide's own modal event loop after it is shown (the short-wave guide builds
// 216 text boxes). Median and worst of 20 openings each; the aim is < 100 ms.
//
// Leaks: 200 openings and closings of each guide, then the growth of the
// resident memory and of the open file descriptors. Both should stay flat.

#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <unistd.h>

namespace {
long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE* statm = fopen("/proc/self/statm", "r")) {
        if (fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::NoDotAndDotDot | QDir::System)
                   .size());
}

// Opens the window behind the menu item and closes it as soon as its modal
// loop runs. Returns the milliseconds from trigger to that moment.
double openOnce(QAction* item)
{
    QElapsedTimer clock;
    double interactiveMs = -1;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        interactiveMs = clock.nsecsElapsed() / 1e6;
        poll.stop();
        modal->close();
    });
    clock.start();
    poll.start();
    item->trigger();
    return interactiveMs;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestEnvironment env;
    Timeline timeline;
    Form2 main;
    main.Form_Load();
    main.show();
    QApplication::processEvents();

    const char* items[][2] = {{"SSTV", "SSTV"},
                              {"SWL", "Short Wave Radio"},
                              {"SAREX", "SAREX"},
                              {"Code", "Code Reception"},
                              {"BandPlan", "Band Plan"}};
    std::printf("%-17s %12s %12s %14s %12s\n", "guide", "median ms", "worst ms", "RSS growth KiB",
                "fd growth");
    for (const auto& [name, caption] : items) {
        QAction* item = main.findChild<QAction*>(QString::fromLatin1(name));
        std::vector<double> times;
        for (int i = 0; i < 20; ++i)
            times.push_back(openOnce(item));
        std::sort(times.begin(), times.end());

        // Warm-up done above; measure growth over 200 more.
        QApplication::processEvents();
        const long rssBefore = residentKiB();
        const int fdsBefore = openDescriptors();
        for (int i = 0; i < 200; ++i)
            openOnce(item);
        QApplication::processEvents();
        std::printf("%-17s %12.1f %12.1f %14ld %12d\n", caption, times[times.size() / 2],
                    times.back(), residentKiB() - rssBefore, openDescriptors() - fdsBefore);
    }
    std::printf("main link open afterwards: %s, commands on the line: %lld\n",
                main.link().isOpen() ? "yes" : "no", qint64(timeline.events().size()));
    return 0;
}
