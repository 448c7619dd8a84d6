// Function buttons, power, the radio picture and the system reset: commands,
// cues, switch cycles and the reset questions, on one timeline per scenario.

#include "clock/testclock.h"
#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QMessageBox>
#include <QTimer>

class TestPanelFunctions : public QObject {
    Q_OBJECT

private slots:
    void pushButtonSendsThenCues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Tune Antenna") << "Command1"
                                      << "Tune Antenna"
                                      << "Antenna Tuner" << QStringList{"AC 11;", "cue:anttun.wav"};
        QTest::newRow("Antenna 1") << "Command3"
                                   << "Antenna 1"
                                   << "Switch to Antenna 1" << QStringList{"AN1;", "cue:ant1.wav"};
        QTest::newRow("Antenna 2") << "Command13"
                                   << "Antenna 2"
                                   << "Switch to Antenna 2" << QStringList{"AN2;", "cue:ant2.wav"};
        QTest::newRow("Frequency Up") << "Command4"
                                      << "Frequency  Up"
                                      << "Move Frequency Up" << QStringList{"UP;"};
        QTest::newRow("Frequency Down") << "Command5"
                                        << "Frequency Down"
                                        << "Move Frequency Down" << QStringList{"DN;"};
        QTest::newRow("Transmit") << "Command14"
                                  << "Transmit"
                                  << "" << QStringList{"TX;"};
        QTest::newRow("Receive") << "Command15"
                                 << "Receive"
                                 << "" << QStringList{"RX;"};
    }

    void pushButtonSendsThenCues()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QAbstractButton* button = panel.button(control);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);
        panel.click(control);
        panel.click(control);
        QCOMPARE(timeline.events(), expected + expected);
        QCOMPARE(panel.marked(), QStringLiteral("Option6"));
    }

    void switchCycles_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QStringList>("presses");
        QTest::newRow("Freq Lock") << "Command6"
                                   << "Lock the Frequency" << QStringList{"LK1;", "LK0;", "LK1;"};
        QTest::newRow("Speech Processor")
            << "Command7"
            << "Turn Speech Processor On/Off" << QStringList{"PR1;", "PR0;", "PR1;"};
        QTest::newRow("Preamplifier")
            << "Command8"
            << "Turn Preamp On/Off" << QStringList{"PA1;", "PA0;", "PA1;"};
        QTest::newRow("Noise reduction cycles three")
            << "Command9"
            << "Turn NR On/Off" << QStringList{"NR1;", "NR2;", "NR0;", "NR1;"};
        QTest::newRow("Noise blanker starts with off")
            << "Command10"
            << "Turn NB On/Off" << QStringList{"NB0;", "NB1;", "NB0;"};
        QTest::newRow("RF Attenuator")
            << "Command11"
            << "Turn RF Attenuator On/Off" << QStringList{"RA01;", "RA00;", "RA01;"};
        QTest::newRow("Scan") << "Command12"
                              << "Start/Stop Scanning" << QStringList{"SC1;", "SC0;", "SC1;"};
        QTest::newRow("VOX") << "Command16"
                             << "" << QStringList{"VX1;", "VX0;", "VX1;"};
    }

    // Power and a full system reset do not disturb a switch's cycle.
    void switchCycles()
    {
        QFETCH(QString, control);
        QFETCH(QString, toolTip);
        QFETCH(QStringList, presses);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QCOMPARE(panel.button(control)->toolTip(), toolTip);
        QStringList expected;
        for (qsizetype press = 0; press < presses.size(); ++press) {
            panel.click(control);
            expected << presses[press];
            if (press == 0) {
                panel.clickAll({"Option111", "Option110"});
                expected << "PS0;"
                         << "cue:poff.wav"
                         << "PS1;"
                         << "cue:pon.wav";
                MessageBox::setNextAnswer(QMessageBox::Yes);
                MessageBox::setNextAnswer(QMessageBox::No);
                MessageBox::setNextAnswer(QMessageBox::Yes);
                panel.click("Command18");
                QCOMPARE(MessageBox::takeShown().size(), 3); // the three reset questions
                expected << "cue:reset.wav"
                         << "SR2;";
            }
        }
        QCOMPARE(timeline.events(), expected);
    }

    // A second "VOX" inside the first one's pause runs to completion there.
    void voxPressedAgainInsideThePause()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        QAbstractButton* vox = panel.button("Command16");
        clock.at(0.05, [vox] { vox->click(); });
        vox->click();
        const auto events = timeline.timedEvents();
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[0].what, QStringLiteral("VX1;"));
        QCOMPARE(events[0].ms, 0.0);
        // The second command went out inside the first pause, not after it,
        // and its own pause ran out inside the first one's too.
        QCOMPARE(events[1].what, QStringLiteral("VX0;"));
        QCOMPARE(events[1].ms, 50.0);
        QCOMPARE(clock.seconds(), 0.25);
        QCOMPARE(panel.state().switches.of(Switch::Vox), 0);
    }

    void powerButtons()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll({"Option110", "m20", "Option110", "Option111"});
        QCOMPARE(timeline.events(),
                 QStringList({"PS1;", "cue:pon.wav", "FR0;", "FA00014000000;", "cue:20m.wav",
                              "PS1;", "cue:pon.wav", "PS0;", "cue:poff.wav"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option111"));
    }

    void pictureOnlyTickles()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.click("m40");
        timeline.clear();
        panel.click("Picture1");
        QCOMPARE(timeline.events(), QStringList{"cue:tickles.wav"});
        QCOMPARE(timeline.rawBytes(), QByteArray());
        QCOMPARE(panel.marked(), QStringLiteral("m40"));
    }

    void resetOutcomes_data()
    {
        QTest::addColumn<QList<QMessageBox::StandardButton>>("answers");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("questions");
        using B = QMessageBox::StandardButton;
        QTest::newRow("No") << QList<B>{B::No} << QStringList{"cue:reset.wav"} << 1;
        QTest::newRow("Enter at first question") << QList<B>{} << QStringList{"cue:reset.wav"} << 1;
        QTest::newRow("Yes, Yes: partial")
            << QList<B>{B::Yes, B::Yes} << QStringList{"cue:reset.wav", "SR1;"} << 2;
        QTest::newRow("Yes, No, Yes: full")
            << QList<B>{B::Yes, B::No, B::Yes} << QStringList{"cue:reset.wav", "SR2;"} << 3;
        QTest::newRow("Yes, No, No")
            << QList<B>{B::Yes, B::No, B::No} << QStringList{"cue:reset.wav"} << 3;
    }

    void resetOutcomes()
    {
        QFETCH(QList<QMessageBox::StandardButton>, answers);
        QFETCH(QStringList, expected);
        QFETCH(int, questions);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.click("Option7");
        timeline.clear();
        for (QMessageBox::StandardButton answer : answers)
            MessageBox::setNextAnswer(answer);
        panel.click("Command18");
        QCOMPARE(timeline.events(), expected);

        const QList<MessageBox::Shown> shown = MessageBox::takeShown();
        QCOMPARE(shown.size(), questions);
        const QStringList titles = {"Are you sure?", "System Reset", "System Reset"};
        const QStringList texts = {"Are you sure you want to do a System Reset?",
                                   "Do you want to do a Partial Reset?",
                                   "Then you want to do a Full Reset?"};
        for (int i = 0; i < questions; ++i) {
            QCOMPARE(shown[i].title, titles[i]);
            QCOMPARE(shown[i].text, texts[i]);
            QCOMPARE(shown[i].icon, QMessageBox::Critical);
            QCOMPARE(shown[i].buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(shown[i].defaultButton, QMessageBox::No);
        }
        // The reset leaves the panel's variables alone.
        QCOMPARE(panel.state().vfo, VfoChoice::B);
        timeline.clear();
        panel.click("m20");
        QCOMPARE(timeline.events(), QStringList({"FR1;", "FB00014000000;", "cue:20m.wav"}));
    }

    // With a real box: the cue has played before the question shows, and
    // Enter answers No.
    void resetCueBeforeRealQuestion()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        MessageBox::setScripted(false);
        QStringList seenAtQuestion;
        QString title;
        onNextModal([&](QWidget* modal) {
            seenAtQuestion = timeline.events();
            title = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        panel.button("Command18")->click();
        MessageBox::setScripted(true);
        QCOMPARE(seenAtQuestion, QStringList{"cue:reset.wav"});
        QCOMPARE(title, QStringLiteral("Are you sure?"));
        QCOMPARE(timeline.events(), QStringList{"cue:reset.wav"});
    }
};

QUILLARD_TEST_MAIN(TestPanelFunctions)
#include "tst_panel_functions.moc"
