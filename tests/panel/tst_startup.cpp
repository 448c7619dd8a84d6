// Start-up and shutdown: the first-run path, the splash with its two waits and
// the Online cue, and that no serial byte leaves before the operator acts.
// The waits run on a test clock (the real program's real waits are seen by
// the black-box panel test, the steady clock's by tst_clock).

#include "app/form3.h"
#include "app/startup.h"
#include "panel/form2.h"
#include "testclock.h"
#include "timeline.h"
#include "ui/splash.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QFile>
#include <QTimer>

namespace {
bool splashVisible()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<Splash*>(widget) && widget->isVisible())
            return true;
    }
    return false;
}

Startup::MainWindowLoader loadForm2()
{
    return &Form2::load;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void firstRunAsksThenShowsTheSettingsWindow()
    {
        TestEnvironment env;
        bool loaded = false;
        Startup startup([&loaded] {
            loaded = true;
            return std::make_unique<QWidget>();
        });
        startup.begin();
        const auto shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "Thanks for trying Quillard! Press OK to configure. To "
                                "Re-Configure, simply delete the qd.cfg file.");
        QCOMPARE(shown[0].title, "Quillard");
        QCOMPARE(shown[0].icon, QMessageBox::NoIcon);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(startup.settingsWindow() && startup.settingsWindow()->isVisible());
        QVERIFY(!loaded);
        QVERIFY(!startup.mainWindow());
        auto* com2 = startup.settingsWindow()->findChild<QAbstractButton*>("Com2");
        QVERIFY(com2->isChecked());
        QCOMPARE(startup.settingsWindow()->chosenComm(), "2");
        QVERIFY(startup.settingsWindow()->chosenBaud().isEmpty());
        startup.settingsWindow()->close();
        QVERIFY(!QFile::exists(env.settingsDir() + "/qd.cfg"));
        QVERIFY(!loaded);
    }

    // Splash, 2 s, cue, 2 s, splash gone, then the main window; the port stays
    // untouched until the main window is shown.
    void loadSequenceInOrder()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        Startup startup(loadForm2());
        struct Sample {
            bool splash;
            bool main;
        };
        QList<Sample> samples;
        const auto sample = [&] {
            samples.append({splashVisible(), startup.mainWindow() != nullptr});
        };
        clock.at(0.1, sample);
        clock.at(1.9, sample);
        clock.at(2.1, sample);
        clock.at(3.9, sample);
        startup.begin();

        QCOMPARE(clock.seconds(), 4.0);
        QCOMPARE(samples.size(), 4);
        for (const Sample& at : samples) {
            QVERIFY(at.splash);
            QVERIFY(!at.main);
        }
        QVERIFY(!splashVisible());
        // Gone, not only hidden: its window and picture are freed at once.
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<Splash*>(widget));
        QVERIFY(startup.mainWindow()->isVisible());
        QVERIFY(!startup.settingsWindow()); // never shown with a settings file present
        const auto events = timeline.timedEvents();
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].what, "cue:Online.wav");
        QCOMPARE(events[0].ms, 2000.0);
        auto* main = static_cast<Form2*>(startup.mainWindow());
        QCOMPARE(main->port().settings().Comm, "1");
        QCOMPARE(main->port().settings().Baud, "9600");
    }

    void clickingTheSplashClosesItButTheWaitsRunOn()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        Form2 window;
        double closedAt = -1;
        clock.at(0.3, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<Splash*>(widget) && widget->isVisible())
                    QTest::mouseClick(widget, Qt::LeftButton);
            }
            QCoreApplication::processEvents();
            if (!splashVisible())
                closedAt = clock.seconds();
        });
        window.Form_Load();
        QCOMPARE(closedAt, 0.3);
        QCOMPARE(clock.seconds(), 4.0);
        QCOMPARE(timeline.events(), QStringList{"cue:Online.wav"});
    }

    void damagedSettingsFileIsReportedOnceAndKeptAsItIs()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline{QString()}; // no qd.cfg written by the timeline
        env.writeSettings("abc\r\n9600\r\n");
        Form2 window;
        window.Form_Load();
        window.show();
        window.Form_Activate();
        window.Form_Activate();
        const auto shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "The settings file " + env.settingsDir() +
                                    "/qd.cfg cannot be used: the port number \"abc\" on its "
                                    "first line is not a number from 1 to 255. To choose the "
                                    "port and baud rate again, delete " +
                                    env.settingsDir() + "/qd.cfg and start Quillard.");
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QVERIFY(!window.link().isOpen());
        QFile file(env.settingsDir() + "/qd.cfg");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("abc\r\n9600\r\n"));
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
