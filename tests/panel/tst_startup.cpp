// Start-up and shutdown: the first-run path, the splash with its two waits and
// the Online cue, and that no serial byte leaves before the operator acts.

#include "app/form3.h"
#include "app/splash.h"
#include "app/startup.h"
#include "app/wait.h"
#include "panel/form2.h"
#include "timeline.h"
#include "processusage.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <sys/resource.h>

namespace {
bool splashVisible()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Splash*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstRunAsksThenShowsTheSettingsWindow()
    {
        TestEnvironment env;
        Startup startup;
        startup.begin();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "Thanks for trying Quillard! Press OK to configure. To "
                                "Re-Configure, simply delete the qd.cfg file.");
        QCOMPARE(shown[0].title, "Quillard");
        QCOMPARE(shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(startup.settingsWindow() && startup.settingsWindow()->isVisible());
        QVERIFY(!startup.mainWindow());
        auto* com2 = startup.settingsWindow()->findChild<QAbstractButton*>("Com2");
        QVERIFY(com2->isChecked());
        QCOMPARE(startup.settingsWindow()->chosenComm(), "2");
        QVERIFY(startup.settingsWindow()->chosenBaud().isEmpty());
        startup.settingsWindow()->close();
        QVERIFY(!QFile::exists(env.settingsDir() + "/qd.cfg"));
    }

    // The whole load sequence in real time: splash, 2 s, cue, 2 s, splash gone,
    // then the main window; the port stays untouched until it is shown.
    void loadSequenceInOrder()
    {
        TestEnvironment env;
        Timeline timeline;
        QElapsedTimer clock;
        struct Sample {
            double ms;
            bool splash;
            bool main;
        };
        QList<Sample> samples;
        Startup startup;
        QTimer probe;
        connect(&probe, &QTimer::timeout, &probe, [&] {
            samples.append({clock.nsecsElapsed() / 1e6, splashVisible(),
                            startup.mainWindow() && startup.mainWindow()->isVisible()});
        });
        probe.start(50);
        clock.start();
        const double cpuBefore = processCpuSeconds();
        startup.begin();
        const double cpuUsed = processCpuSeconds() - cpuBefore;
        const double loadMs = clock.nsecsElapsed() / 1e6;
        probe.stop();

        QVERIFY(startup.mainWindow()->isVisible());
        QVERIFY(!splashVisible());
        QVERIFY(!startup.settingsWindow()); // never shown with a settings file present
        QVERIFY2(loadMs >= 4000 && loadMs < 5500, qPrintable(QString::number(loadMs)));
        // The splash is up through both waits, the main window only after.
        for (const Sample& sample : samples) {
            if (sample.ms > 100 && sample.ms < 3900)
                QVERIFY2(sample.splash, qPrintable(QString::number(sample.ms)));
            QVERIFY(!sample.main);
        }
        // Sleeping, not spinning: far below the 4 s a busy loop would burn.
        QVERIFY2(cpuUsed < 1.0, qPrintable(QString::number(cpuUsed)));

        const auto events = timeline.timedEvents();
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].what, "cue:Online.wav");
        QVERIFY2(events[0].ms >= 1950 && events[0].ms < 2600, qPrintable(QString::number(events[0].ms)));
        QCOMPARE(startup.mainWindow()->comm(), "1");
        QCOMPARE(startup.mainWindow()->baud(), "9600");
        QVERIFY(env.noModalLeft());
    }

    void clickingTheSplashClosesItButTheWaitsRunOn()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 window;
        QElapsedTimer clock;
        clock.start();
        double closedAt = -1;
        QTimer::singleShot(300, &window, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<Splash*>(widget) && widget->isVisible())
                    QTest::mouseClick(widget, Qt::LeftButton);
            }
            QCoreApplication::processEvents();
            if (!splashVisible())
                closedAt = clock.elapsed();
        });
        window.Form_Load();
        QVERIFY2(closedAt >= 300 && closedAt < 600, qPrintable(QString::number(closedAt)));
        QVERIFY(clock.elapsed() >= 4000);
        QCOMPARE(timeline.events(), QStringList{"cue:Online.wav"});
    }

    void damagedSettingsFileIsReportedOnceAndKeptAsItIs()
    {
        TestEnvironment env;
        Timeline timeline{QString()}; // no qd.cfg written by the timeline
        env.writeSettings("abc\r\n9600\r\n");
        Form2 window;
        window.Form_Load();
        window.show();
        window.Form_Activate();
        window.Form_Activate();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("qd.cfg") && shown[0].text.contains("\"abc\""),
                 qPrintable(shown[0].text));
        QVERIFY(!window.link().isOpen());
        QFile file(env.settingsDir() + "/qd.cfg");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("abc\r\n9600\r\n"));
    }

    void waitSecondsRunsEventsAndEndsOnTime()
    {
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &timer, [&] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = processCpuSeconds();
        WaitSeconds(0.5);
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 500 && elapsed < 650, qPrintable(QString::number(elapsed)));
        QVERIFY2(ticks >= 15, qPrintable(QString::number(ticks)));
        QVERIFY(processCpuSeconds() - cpuBefore < 0.25);

        // A handler that runs inside the wait and leaves its own nested loop
        // early does not cut the wait short.
        clock.restart();
        QTimer::singleShot(50, &timer, [] { WaitSeconds(0.01); });
        WaitSeconds(0.2);
        QVERIFY(clock.elapsed() >= 200);
    }

    void exitEndsTheProgramSilentlyWithThePortClosed()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 window;
        window.show();
        window.Form_Activate();
        QVERIFY(window.link().isOpen());
        timeline.clear();
        window.Exit_Click();
        QVERIFY(!window.link().isOpen());
        QVERIFY(!window.isVisible());
        QVERIFY(timeline.events().isEmpty()); // no cue, no byte
    }
};

QUILLARD_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
