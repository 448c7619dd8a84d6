// Station Controls and the "Tune to Frequency" box beside a shown main
// window, over a real pseudo-terminal: opening them, moving through them and
// typing send nothing; Enter and the buttons send exactly the radio's
// commands; a refused entry sends nothing and says why; the two windows
// share one station as last sent.

#include "clock/testclock.h"
#include "controls/stationcontrols.h"
#include "stationcontrolsfixture.h"
#include "timeline.h"
#include "ui/placement.h"
#include "uitest.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

class TestStationControls : public QObject {
    Q_OBJECT

    static StationControls* open(ShownPanel& panel) { return openStationControls(panel); }

    static void type(QLineEdit* field, const QString& text) { typeInto(field, text); }

private slots:
    // The window's sections are there with names a screen reader reads; the
    // 6 m band only for a TS-570S. Opening it, Tab all the way round and
    // typing in its fields send nothing.
    void openingAndMovingSendNothing()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        timeline.clear();
        StationControls* window = open(panel);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Station Controls"));
        for (const char* name : {"FrequencySection", "SplitSection", "OffsetSection"}) {
            auto* box = in<QGroupBox>(window, name);
            QVERIFY2(box->isVisible(), name);
            QVERIFY(!box->accessibleName().isEmpty());
        }
        QVERIFY(!in<QGroupBox>(window, "SixMetreSection")->isVisible());
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->focusPolicy() & Qt::TabFocus && control->isVisible())
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));

        QApplication::setActiveWindow(window);
        for (int step = 0; step < 40; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        type(in<QLineEdit>(window, "txtFrequency"), QStringLiteral("14.074"));
        type(in<QLineEdit>(window, "txtTransmit"), QStringLiteral("14.079"));
        type(in<QLineEdit>(window, "txtOffset"), QStringLiteral("120"));
        QTest::qWait(50);
        QCOMPARE(timeline.events(), QStringList());

        // Closed and opened again: the same window, still sending nothing;
        // quillard.conf says whether it is open, for the next start.
        QVERIFY(StationControls::rememberedOpen());
        window->close();
        QVERIFY(!StationControls::rememberedOpen());
        QCOMPARE(open(panel), window);
        QVERIFY(StationControls::rememberedOpen());
        QCOMPARE(timeline.events(), QStringList());
    }

    // Up and Down in the field recall the frequencies tuned, newest first,
    // as they were typed; recalling sends nothing.
    void recallsTheLastFrequencies()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        StationControls* window = open(panel);
        QVERIFY(window);
        auto* frequency = in<QLineEdit>(window, "txtFrequency");
        for (const char* typed : {"7030", "14.074", "30.0001", "3573 kHz", "7030"}) {
            type(frequency, QString::fromLatin1(typed));
            QTest::keyClick(frequency, Qt::Key_Return);
            QTest::qWait(0); // the frequency is kept once its step is carried out
        }
        timeline.clear();
        frequency->clear();
        QStringList recalled;
        for (int step = 0; step < 4; ++step) {
            QTest::keyClick(frequency, Qt::Key_Up);
            recalled << frequency->text();
        }
        // The refused entry is not kept, and 7030 once, where it was tuned last.
        QCOMPARE(recalled, QStringList({"7030", "3573 kHz", "14.074", "14.074"}));
        QTest::keyClick(frequency, Qt::Key_Down);
        QCOMPARE(frequency->text(), QStringLiteral("3573 kHz"));
        QCOMPARE(timeline.events(), QStringList());
    }

    // Enter in the frequency field tunes the VFO the panel addresses;
    // split, the transmit frequency, RIT and its steps; a band button in the
    // main window ends split in Station Controls' view.
    void controlsSendTheRadiosCommands()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        StationControls* window = open(panel);
        QVERIFY(window);
        timeline.clear();

        auto* frequency = in<QLineEdit>(window, "txtFrequency");
        type(frequency, QStringLiteral("14.074"));
        QTest::keyClick(frequency, Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014074000;"}));
        QCOMPARE(announced(window), QStringLiteral("VFO A, 14.074 MHz"));
        timeline.clear();

        // Refused: nothing sent, the problem shown and said.
        type(frequency, QStringLiteral("30.0001"));
        QTest::keyClick(frequency, Qt::Key_Return);
        auto* problem = in<QLabel>(window, "lblProblem");
        QVERIFY(problem->isVisible());
        QVERIFY2(problem->text().contains(QStringLiteral("30 MHz")), qPrintable(problem->text()));
        QCOMPARE(announced(window), problem->text());
        QCOMPARE(timeline.events(), QStringList());

        auto* split = in<QCheckBox>(window, "chkSplit");
        split->click();
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FT1;"}));
        QVERIFY(split->isChecked());
        QCOMPARE(announced(window), QStringLiteral("Split on: receive A, transmit B"));
        timeline.clear();
        in<QPushButton>(window, "cmdUp5")->click();
        QCOMPARE(timeline.events(), QStringList({"FB00014079000;"}));
        timeline.clear();
        auto* transmit = in<QLineEdit>(window, "txtTransmit");
        type(transmit, QStringLiteral("14079.5"));
        QTest::keyClick(transmit, Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"FB00014079500;"}));
        timeline.clear();

        // A band button of the panel moves the transmitter with the receiver.
        panel.click(QStringLiteral("m20"));
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QVERIFY(!split->isChecked());
        timeline.clear();

        auto* rit = in<QCheckBox>(window, "chkRit");
        rit->click();
        QVERIFY(rit->isChecked());
        QCOMPARE(timeline.events(), QStringList({"RT1;"}));
        timeline.clear();
        in<QPushButton>(window, "cmdOffsetClear")->click();
        for (int step = 0; step < 3; ++step)
            in<QPushButton>(window, "cmdOffsetUp")->click();
        QCOMPARE(timeline.events(), QStringList({"RC;", "RU;", "RU;", "RU;"}));
        QCOMPARE(announced(window), QStringLiteral("Offset plus 30 Hz"));
        timeline.clear();
        rit->click();
        QCOMPARE(timeline.events(), QStringList({"RT0;"}));
        timeline.clear();

        // A typed offset with RIT off: RIT on, cleared, then a step per 10 Hz.
        auto* offset = in<QLineEdit>(window, "txtOffset");
        type(offset, QStringLiteral("-40"));
        QTest::keyClick(offset, Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"RT1;", "RC;", "RD;", "RD;", "RD;", "RD;"}));
        QCOMPARE(announced(window), QStringLiteral("RIT on, minus 40 Hz"));
        QVERIFY(rit->isChecked());
    }

    // Ctrl+T: the box opens with the keyboard in its field and sends nothing;
    // a refused entry keeps it open and sends nothing; Enter tunes the VFO
    // the panel addresses (B after "VFO B"), and the keyboard is back in the
    // main window.
    void tuneBoxTunesTheAddressedVfo()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.click(QStringLiteral("Option7")); // VFO B
        timeline.clear();
        QApplication::setActiveWindow(&panel.window());
        QWidget* focusBefore = QApplication::focusWidget();

        QStringList whileOpen;
        QString refusal;
        QString vfo;
        bool fieldHasKeyboard = false;
        // Whatever is found, the box ends (Enter on 7030, or Escape), so a
        // failure cannot leave the test waiting on it.
        onNextModal([&](QWidget* box) {
            auto* field = box->findChild<QLineEdit*>(QStringLiteral("txtFrequency"));
            if (!field) {
                box->close();
                return;
            }
            fieldHasKeyboard =
                QTest::qWaitFor([&] { return QApplication::focusWidget() == field; });
            vfo = in<QComboBox>(box, "cboVfo")->currentText();
            QTest::keyClicks(field, QStringLiteral("499.999"));
            QTest::keyClick(field, Qt::Key_Return);
            refusal = in<QLabel>(box, "lblProblem")->text();
            whileOpen = timeline.events();
            field->clear();
            QTest::keyClicks(field, QStringLiteral("7030"));
            QTest::keyClick(field, Qt::Key_Return);
            if (box->isVisible())
                box->close();
        });
        QTest::keyClick(&panel.window(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(fieldHasKeyboard);
        QCOMPARE(vfo, QStringLiteral("VFO B"));
        QCOMPARE(whileOpen, QStringList());
        QVERIFY2(refusal.contains(QStringLiteral("500 kHz")), qPrintable(refusal));
        QCOMPARE(timeline.events(), QStringList({"FR1;", "FB00007030000;"}));
        QCOMPARE(announced(&panel.window()), QStringLiteral("VFO B, 7.030 MHz"));
        QTRY_COMPARE(QApplication::focusWidget(), focusBefore);
    }

    // On a 1024 x 768 screen the sections are taller than the screen: the
    // window stays on it, as tall as it allows, and a control the keyboard
    // reaches below the fold scrolls into sight.
    void fitsASmallScreen()
    {
        TestEnvironment env;
        Timeline timeline;
        setAvailableScreenAreaForTests(QRect(0, 0, 1024, 768));
        ShownPanel panel;
        StationControls* window = open(panel);
        setAvailableScreenAreaForTests(std::nullopt);
        QVERIFY(window);
        const QRect place = window->geometry();
        QVERIFY2(QRect(0, 0, 1024, 768).contains(place), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                        .arg(place.x())
                                                                        .arg(place.y())
                                                                        .arg(place.width())
                                                                        .arg(place.height())));
        auto* scroll = in<QScrollArea>(window, "StationControlsScroll");
        auto* line = in<QLineEdit>(window, "txtCwLine");
        QVERIFY(line->visibleRegion().isEmpty());
        QApplication::setActiveWindow(window);
        line->setFocus();
        QTRY_VERIFY(!line->visibleRegion().isEmpty());
        QVERIFY(scroll->verticalScrollBar()->value() > 0);
    }
};

QTEST_MAIN(TestStationControls)
#include "tst_stationcontrols.moc"
