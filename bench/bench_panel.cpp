// Main panel figures:
//  - time from creating the main window (all of its controls built from their
//    tables) and its first show to every control painted once, and from the
//    show alone; median and worst of several rounds;
//  - resident memory of the real program (quillard) with its main window up,
//    on the offscreen platform, next to about 21 MB for a small FLTK
//    rig-control panel.
// Under an X server (xvfb-run -a bench_panel) the first figure uses it;
// otherwise the offscreen platform.

#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Counts the widgets of a window that have been painted at least once.
class PaintWatch : public QObject {
public:
    QSet<QObject*> painted;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
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
        QList<QWidget*> visible;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (widget->isVisible() && !widget->isWindow())
                visible.append(widget);
        }
        const auto allPainted = [&] {
            return std::all_of(visible.begin(), visible.end(),
                               [&](QWidget* widget) { return watch.painted.contains(widget); });
        };
        while (!allPainted() && clock.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Interactive: the event loop has nothing left to do for the window.
        QCoreApplication::processEvents();
        const double done = clock.nsecsElapsed() / 1e6;
        qApp->removeEventFilter(&watch);
        if (!allPainted())
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

QString statusField(qint64 pid, const char* field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return QString::fromLatin1(line.mid(qstrlen(field))).simplified();
    }
    return {};
}

// The program inherits the settings folder (qd.cfg and the port link).
void programMemory()
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUILLARD_BINARY_DIR "/src/quillard"), {});
    if (!program.waitForStarted()) {
        std::printf("quillard could not be started: %s\n", qPrintable(program.errorString()));
        return;
    }
    // The splash and its waits take 4 s; then the main window is up.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 7000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const QString rss = statusField(program.processId(), "VmRSS:");
    const QString peak = statusField(program.processId(), "VmHWM:");
    program.kill();
    program.waitForFinished();
    std::printf("quillard with its main window (offscreen), after 7 s: resident %s, peak "
                "resident %s (target under 45 MB; a small FLTK rig-control panel: about 21 MB)\n",
                qPrintable(rss), qPrintable(peak));
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestEnvironment env;
    // qd.cfg for port 1 with a pseudo-terminal behind it; cues are only recorded.
    Timeline radio;
    firstShowToPainted();
    // No sound card is needed: the program's cues go to a null device.
    QFile asound(env.settingsDir() + QStringLiteral("/asound.conf"));
    if (asound.open(QIODevice::WriteOnly))
        asound.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n");
    asound.close();
    qputenv("ALSA_CONFIG_PATH", asound.fileName().toLocal8Bit());
    programMemory();
    return 0;
}
