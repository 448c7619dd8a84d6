// The memory window's writes of ten and of all hundred channels, which
// should take the cue plus ten or a hundred 0.2 s pauses. Runs offscreen against a pseudo-terminal
// radio; prints figures, asserts nothing. (Opening the memory window is timed, and its memory
// measured, by bench_openings.)

#include "memory/form1.h"
#include "session/cues.h"
#include "timeline.h"
#include "uitest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
void printFigures(const char* what, std::vector<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%-44s min %8.1f  median %8.1f  max %8.1f %s (n=%zu)\n", what, values.front(),
                values[values.size() / 2], values.back(), unit, values.size());
}

void writingChannels(int channels, int runs)
{
    TestEnvironment env;
    Timeline timeline;
    constexpr int cueMs = 500;
    // The timeline records cues without playing them; stand in a cue of known length.
    setCuePlayer([](const QString&) { QThread::msleep(cueMs); });
    SparePort port;
    Form1 form(port.lend());
    for (int channel = 0; channel < channels; ++channel) {
        form.freqBox(channel)->setText(QStringLiteral("2840000"));
        form.modeBox(channel)->setText(QStringLiteral("usb"));
    }
    std::vector<double> seconds;
    std::vector<double> deviation;
    const double expected = cueMs / 1000.0 + 0.2 * channels;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        form.Command2_Click();
        // The write paces itself on the clock; the event loop sleeps between commands.
        while (form.writing())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double took = clock.nsecsElapsed() / 1e9;
        seconds.push_back(took);
        deviation.push_back(100.0 * (took - expected) / expected);
    }
    setCuePlayer({});
    const QByteArray what =
        QStringLiteral("write of %1 channels (0.5 s cue)").arg(channels).toUtf8();
    printFigures(what.constData(), seconds, "s");
    const QByteArray against =
        QStringLiteral("deviation from cue + %1 s").arg(0.2 * channels).toUtf8();
    printFigures(against.constData(), deviation, "%");
    std::printf("%-44s %s\n", "target", "within 3%");
    const QByteArray count = QStringLiteral("commands on the wire (%1 writes)").arg(runs).toUtf8();
    std::printf("%-44s %lld\n", count.constData(),
                static_cast<long long>(timeline.events().filter(QStringLiteral("MW0")).size()));
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    writingChannels(10, 5);
    writingChannels(Form1::Channels, 2);
    return 0;
}
