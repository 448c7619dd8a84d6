// Memory window figures:
//  - from the "&Memories" menu action to the window shown and taking events;
//  - a write of all ten channels, which should take the cue plus ten 0.2 s pauses.
// Runs offscreen against a pseudo-terminal radio; prints figures, asserts nothing.

#include "app/cues.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Once a memory window is shown, the first turn of its event loop marks it
// interactive; the time is taken there and the window is left with Exit.
class ShownProbe : public QObject {
public:
    QElapsedTimer clock;
    std::vector<double> ms;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* form = qobject_cast<Form1*>(watched)) {
                QTimer::singleShot(0, form, [this, form] {
                    ms.push_back(clock.nsecsElapsed() / 1e6);
                    form->Command1_Click();
                });
            }
        }
        return false;
    }
};

void printFigures(const char* what, std::vector<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %8.1f  median %8.1f  max %8.1f %s (n=%zu)\n", what, values.front(),
                values[values.size() / 2], values.back(), unit, values.size());
}

void openingFromTheMenu()
{
    TestEnvironment env;
    Timeline timeline;
    Form2 main;
    main.Form_Load();
    main.show();
    main.Form_Activate();
    QAction* memories = main.findChild<QAction*>(QStringLiteral("Memories"));
    ShownProbe probe;
    qApp->installEventFilter(&probe);
    for (int run = 0; run < 20; ++run) {
        probe.clock.start();
        memories->trigger();
    }
    qApp->removeEventFilter(&probe);
    printFigures("menu action to memory window interactive", probe.ms, "ms");
    std::printf("%-44s %s\n", "target", "under 100 ms");
}

void writingTenChannels()
{
    TestEnvironment env;
    Timeline timeline;
    constexpr int cueMs = 500;
    // The timeline records cues without playing them; stand in a cue of known length.
    setCuePlayer([](const QString&) { QThread::msleep(cueMs); });
    SparePort port;
    Form1 form(port.lend());
    for (int channel = 0; channel < Form1::WrittenChannels; ++channel) {
        form.freqBox(channel)->setText(QStringLiteral("2840000"));
        form.modeBox(channel)->setText(QStringLiteral("usb"));
    }
    std::vector<double> seconds;
    std::vector<double> deviation;
    const double expected = cueMs / 1000.0 + 2.0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        form.Command2_Click();
        const double took = clock.nsecsElapsed() / 1e9;
        seconds.push_back(took);
        deviation.push_back(100.0 * (took - expected) / expected);
    }
    setCuePlayer({});
    printFigures("write of ten channels (0.5 s cue)", seconds, "s");
    printFigures("deviation from cue + 2.0 s", deviation, "%");
    std::printf("%-44s %s\n", "target", "within 3%");
    std::printf("%-44s %lld\n", "commands on the wire (5 writes)",
                static_cast<long long>(timeline.events().filter(QStringLiteral("MW0")).size()));
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    openingFromTheMenu();
    writingTenChannels();
    return 0;
}
