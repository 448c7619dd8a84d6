// Main panel figure: time from creating the main window (all of its controls
// built from their tables) and its first show to every control painted once,
// and from the show alone; median and worst of several rounds. Under an X
// server (bench/run.sh starts one) it uses it; otherwise the offscreen
// platform. (The program's resident memory is measured by bench_resident.)

#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSet>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Counts the widgets of a window that have been painted at least once, and
// ends the event loop it is given once all of the expected ones have been.
class PaintWatch : public QObject {
public:
    QSet<QObject*> painted;
    QList<QWidget*> expected;
    QEventLoop* loop = nullptr;

    bool allPainted() const
    {
        return std::all_of(expected.begin(), expected.end(),
                           [this](QWidget* widget) { return painted.contains(widget); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted.insert(watched);
            // After the paint has been handled: the loop ends on its next turn.
            if (loop && allPainted())
                QTimer::singleShot(0, loop, &QEventLoop::quit);
        }
        return false;
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void firstShowToPainted()
{
    constexpr int rounds = 15;
    std::vector<double> total;
    std::vector<double> showOnly;
    int controls = 0;
    for (int round = 0; round < rounds; ++round) {
        PaintWatch watch;
        qApp->installEventFilter(&watch);
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<Form2>();
        const double built = clock.nsecsElapsed() / 1e6;
        window->show();
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->isVisible() && !widget->isWindow())
                watch.expected.append(widget);
        }
        // The event loop runs (sleeping when idle) until every control has
        // been painted, 5 s at most.
        QEventLoop loop;
        watch.loop = &loop;
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        if (!watch.allPainted())
            loop.exec();
        watch.loop = nullptr;
        // Interactive: the event loop has nothing left to do for the window.
        QCoreApplication::processEvents();
        const double done = clock.nsecsElapsed() / 1e6;
        qApp->removeEventFilter(&watch);
        if (!watch.allPainted())
            std::printf("round %d: not every control was painted within 5 s\n", round);
        total.push_back(done);
        showOnly.push_back(done - built);
        controls =
            static_cast<int>(window->centralWidget()->findChildren<QAbstractButton*>().size());
        window->Form_Activate(); // as the real window does when it becomes active
    }
    std::printf("main window, %d buttons, platform %s, %d rounds (the first is cold):\n", controls,
                qPrintable(QGuiApplication::platformName()), rounds);
    std::printf("  build + first show to all painted: first %.1f ms, median %.1f ms, worst %.1f ms "
                "(target under 80 ms)\n",
                total.front(), median(total), *std::max_element(total.begin(), total.end()));
    std::printf("  first show to all painted alone:   first %.1f ms, median %.1f ms\n",
                showOnly.front(), median(showOnly));
}

} // namespace

int main(int argc, char** argv)
{
    // No session bus: Qt's accessibility bridge would start one that outlives this process.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestEnvironment env;
    // qd.cfg for port 1 with a pseudo-terminal behind it; cues are only recorded.
    Timeline radio;
    firstShowToPainted();
    return 0;
}
