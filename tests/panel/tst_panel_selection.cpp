// Bands and VFOs, quick memories, modes and time signals: what each control
// puts on the wire and which cue follows, on one timeline per scenario.

#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

class TestPanelSelection : public QObject {
    Q_OBJECT

private slots:
    void bandTunesTheChosenVfo_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QStringList>("expected");
        const struct {
            const char* name;
            const char* caption;
            const char* hertz;
        } bands[] = {
            {"m160", "160m", "00001800000"}, {"m80", "80m", "00003500000"},
            {"m40", "40m", "00007000000"},   {"m30", "30m", "00010100000"},
            {"m20", "20m", "00014000000"},   {"m17", "17m", "00018068000"},
            {"m15", "15m", "00021000000"},   {"m12", "12m", "00024890000"},
            {"m10", "10m", "00028000000"},
        };
        for (const auto& band : bands) {
            const QString cue = QStringLiteral("cue:%1.wav").arg(QLatin1String(band.caption));
            const QString hertz = QLatin1String(band.hertz);
            // No VFO chosen yet counts as VFO A.
            QTest::addRow("%s at start", band.caption)
                << QStringList() << band.name << QStringList{"FR0;", "FA" + hertz + ";", cue};
            QTest::addRow("%s after VFO B", band.caption)
                << QStringList{"Option7"} << band.name
                << QStringList{"FR1;", "vfob", "FR1;", "FB" + hertz + ";", cue};
        }
        QTest::newRow("VFO B then Mem keeps VFO B")
            << QStringList{"Option7", "Option8"} << "m40"
            << QStringList{"FR1;", "vfob", "FR2;", "mem", "FR1;", "FB00007000000;", "cue:40m.wav"};
        QTest::newRow("VFO B then VFO A")
            << QStringList{"Option7", "Option6"} << "m80"
            << QStringList{"FR1;", "vfob", "FR0;", "vfoa", "FR0;", "FA00003500000;", "cue:80m.wav"};
        QTest::newRow("VFO B then a memory keeps VFO B")
            << QStringList{"Option7", "Option20"} << "m20"
            << QStringList{"FR1;", "vfob",           "FR2;",       "MC 12;",
                           "FR1;", "FB00014000000;", "cue:20m.wav"};
        QTest::newRow("Mem first leaves memory mode on VFO A")
            << QStringList{"Option8"} << "m10"
            << QStringList{"FR2;", "mem", "FR0;", "FA00028000000;", "cue:10m.wav"};
    }

    void bandTunesTheChosenVfo()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, band);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll(before);
        panel.click(band);
        QStringList events = timeline.events();
        events.replaceInStrings(QRegularExpression("^cue:(vfoa|vfob|mem)\\.wav$"), "\\1");
        QCOMPARE(events, expected);
        QCOMPARE(panel.marked(), band);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void vfoButtons_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("vfoSelection");
        QTest::newRow("VFO B") << "Option7" << QStringList{"FR1;", "cue:vfob.wav"} << "B";
        QTest::newRow("Mem") << "Option8" << QStringList{"FR2;", "cue:mem.wav"} << "";
    }

    void vfoButtons()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, expected);
        QFETCH(QString, vfoSelection);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.click(control);
        QCOMPARE(timeline.events(), expected);
        QCOMPARE(panel.window().VfoSelection, vfoSelection);
    }

    // The first showing's VFO A selection is absorbed; the operator's first
    // real one, after another choice, acts in full.
    void firstRealVfoAActs()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QCOMPARE(panel.window().StartupFlag, qint16(0));
        panel.clickAll({"m20", "Option6"});
        QCOMPARE(timeline.events(),
                 QStringList({"FR0;", "FA00014000000;", "cue:20m.wav", "FR0;", "cue:vfoa.wav"}));
        QCOMPARE(panel.window().VfoSelection, QStringLiteral("A"));
    }

    // A click on the button that is already marked acts again; focus that
    // comes back to it does not.
    void markedButtonActsAgainOnClickOnly()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll({"m20", "Option1", "m20", "m20"});
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav", "MD2;",
                                                 "FR0;", "FA00014000000;", "cue:20m.wav", "FR0;",
                                                 "FA00014000000;", "cue:20m.wav"}));
        timeline.clear();
        panel.button("Command14")->setFocus(Qt::TabFocusReason);
        panel.button("m20")->setFocus(Qt::BacktabFocusReason);
        QVERIFY(panel.button("m20")->hasFocus());
        QCOMPARE(timeline.events(), QStringList());
        // Space on the marked, focused button is a click too.
        QTest::keyClick(panel.button("m20"), Qt::Key_Space);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
    }

    // An arrow key moves the mark to the neighbour, which acts once.
    void arrowKeyMovesTheMark()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll({"m20", "Option20"}); // 20m, Mem 12
        timeline.clear();
        QTest::keyClick(panel.button("Option20"), Qt::Key_Down);
        QCOMPARE(timeline.events(), QStringList({"FR2;", "MC 13;"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option21"));
        panel.click("m20");
        timeline.clear();
        QTest::keyClick(panel.button("m20"), Qt::Key_Down);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00018068000;", "cue:17m.wav"}));
        QCOMPARE(panel.marked(), QStringLiteral("m17"));
    }

    void quickMemoryRecallsItsChannel_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("recall");
        for (int channel = 0; channel < 100; ++channel) {
            const int number = channel == 3 ? 108 : channel < 3 ? channel + 9 : channel + 8;
            const QString digits = QString::number(channel).rightJustified(2, '0');
            QTest::addRow("Mem %s", qPrintable(digits)) << QStringLiteral("Option%1").arg(number)
                                                        << "Mem " + digits << "MC " + digits + ";";
        }
    }

    void quickMemoryRecallsItsChannel()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, recall);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QAbstractButton* button = panel.button(control);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->accessibleName(), caption);
        panel.click(control);
        QCOMPARE(timeline.events(), QStringList({"FR2;", recall}));
        QCOMPARE(panel.marked(), control);
        QCOMPARE(panel.window().VfoSelection, QString());
    }

    void memorySequenceSendsEveryPair()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll({"Option13", "Option14", "Option13"}); // Mem 05, 06, 05
        QCOMPARE(timeline.events(),
                 QStringList({"FR2;", "MC 05;", "FR2;", "MC 06;", "FR2;", "MC 05;"}));
    }

    void modeButtonSendsItsMode_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("command");
        QTest::newRow("LSB") << "LSB"
                             << "LSB"
                             << "MD1;";
        QTest::newRow("USB") << "Option1"
                             << "USB"
                             << "MD2;";
        QTest::newRow("CW") << "Option2"
                            << "CW"
                            << "MD3;";
        QTest::newRow("FM") << "Option3"
                            << "FM"
                            << "MD4;";
        QTest::newRow("AM") << "Option4"
                            << "AM"
                            << "MD5;";
        QTest::newRow("FSK") << "Option5"
                             << "FSK"
                             << "MD6;";
    }

    void modeButtonSendsItsMode()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, command);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QCOMPARE(panel.button(control)->text(), caption);
        panel.click(control);
        QCOMPARE(timeline.events(), QStringList{command});
        QCOMPARE(panel.marked(), control);
    }

    void timeSignalTunesVfoAInAm_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("5 MHz") << QStringList() << "Command2"
                               << QStringList{"MD5;", "FA00005000000;"};
        QTest::newRow("10 MHz twice")
            << QStringList{"mhz10"} << "mhz10"
            << QStringList{"MD5;", "FA00010000000;", "MD5;", "FA00010000000;"};
        // No receiver command: the radio stays on VFO B, only VFO A is retuned.
        QTest::newRow("15 MHz after VFO B")
            << QStringList{"Option7"} << "mhz15"
            << QStringList{"FR1;", "cue:vfob.wav", "MD5;", "FA00015000000;"};
    }

    void timeSignalTunesVfoAInAm()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, control);
        QFETCH(QStringList, expected);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.clickAll(before);
        const QString vfoBefore = panel.window().VfoSelection;
        const QString markBefore = panel.marked();
        panel.click(control);
        QCOMPARE(timeline.events(), expected);
        QCOMPARE(panel.window().VfoSelection, vfoBefore);
        QCOMPARE(panel.marked(), markBefore);
    }

    // Push buttons never move the mark; every selection button takes it from
    // whichever frame held it.
    void oneMarkAcrossAllFrames()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QStringList sequence = {"m20",       "Option1", "Option15",  "Option110", "Option8",
                                      "Option108", "m160",    "Option111", "Option5",   "Option7"};
        for (const QString& name : sequence) {
            panel.click(name);
            QCOMPARE(panel.marked(), name);
            int markedCount = 0;
            for (QAbstractButton* button : panel.window().selectionGroup().buttons())
                markedCount += button->isChecked() ? 1 : 0;
            QCOMPARE(markedCount, 1);
            for (const char* push : {"Command2", "Command14", "Command4", "Picture1"}) {
                panel.click(QLatin1String(push));
                QCOMPARE(panel.marked(), name);
            }
        }
    }
};

QUILLARD_TEST_MAIN(TestPanelSelection)
#include "tst_panel_selection.moc"
