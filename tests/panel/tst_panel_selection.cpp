// Bands and VFOs, quick memories, modes and time signals: what each control
// puts on the wire and which cue follows, on one timeline per scenario.

#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QScopeGuard>

#include <iterator>
#include <memory>

class TestPanelSelection : public QObject {
    Q_OBJECT

    // A panel left shown from one row to the next (closed first, then its
    // timeline, then the environment that checks what it left behind).
    struct OpenPanel {
        std::unique_ptr<TestEnvironment> env;
        std::unique_ptr<Timeline> timeline;
        std::unique_ptr<ShownPanel> panel;
        void close()
        {
            panel.reset();
            timeline.reset();
            env.reset();
        }
    } m_openPanel;

private slots:
    // A row run on its own leaves the panel shown for nothing that follows.
    void init()
    {
        if (qstrcmp(QTest::currentTestFunction(), "quickMemoryRecallsItsChannel") != 0)
            m_openPanel.close();
    }
    void cleanupTestCase() { m_openPanel.close(); }

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
        QTest::addColumn<VfoChoice>("vfoSelection");
        QTest::newRow("VFO B") << "Option7" << QStringList{"FR1;", "cue:vfob.wav"} << VfoChoice::B;
        QTest::newRow("Mem") << "Option8" << QStringList{"FR2;", "cue:mem.wav"}
                             << VfoChoice::NotChosen;
    }

    void vfoButtons()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, expected);
        QFETCH(VfoChoice, vfoSelection);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        panel.click(control);
        QCOMPARE(timeline.events(), expected);
        QCOMPARE(panel.state().vfo, vfoSelection);
    }

    // The first showing's VFO A selection is absorbed; the operator's first
    // real one, after another choice, acts in full.
    void firstRealVfoAActs()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QVERIFY(!panel.state().startupSelectionPending);
        panel.clickAll({"m20", "Option6"});
        QCOMPARE(timeline.events(),
                 QStringList({"FR0;", "FA00014000000;", "cue:20m.wav", "FR0;", "cue:vfoa.wav"}));
        QCOMPARE(panel.state().vfo, VfoChoice::A);
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

    // Every memory button, by its control name: "Mem 03" is Option108, out of
    // the sequence the other 99 follow.
    void quickMemoryRecallsItsChannel_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("recall");
        QTest::addColumn<bool>("lastRow");
        static const struct {
            const char* control;
            const char* caption;
            const char* recall;
        } rows[] = {
            {"Option9", "Mem 00", "MC 00;"},   {"Option10", "Mem 01", "MC 01;"},
            {"Option11", "Mem 02", "MC 02;"},  {"Option108", "Mem 03", "MC 03;"},
            {"Option12", "Mem 04", "MC 04;"},  {"Option13", "Mem 05", "MC 05;"},
            {"Option14", "Mem 06", "MC 06;"},  {"Option15", "Mem 07", "MC 07;"},
            {"Option16", "Mem 08", "MC 08;"},  {"Option17", "Mem 09", "MC 09;"},
            {"Option18", "Mem 10", "MC 10;"},  {"Option19", "Mem 11", "MC 11;"},
            {"Option20", "Mem 12", "MC 12;"},  {"Option21", "Mem 13", "MC 13;"},
            {"Option22", "Mem 14", "MC 14;"},  {"Option23", "Mem 15", "MC 15;"},
            {"Option24", "Mem 16", "MC 16;"},  {"Option25", "Mem 17", "MC 17;"},
            {"Option26", "Mem 18", "MC 18;"},  {"Option27", "Mem 19", "MC 19;"},
            {"Option28", "Mem 20", "MC 20;"},  {"Option29", "Mem 21", "MC 21;"},
            {"Option30", "Mem 22", "MC 22;"},  {"Option31", "Mem 23", "MC 23;"},
            {"Option32", "Mem 24", "MC 24;"},  {"Option33", "Mem 25", "MC 25;"},
            {"Option34", "Mem 26", "MC 26;"},  {"Option35", "Mem 27", "MC 27;"},
            {"Option36", "Mem 28", "MC 28;"},  {"Option37", "Mem 29", "MC 29;"},
            {"Option38", "Mem 30", "MC 30;"},  {"Option39", "Mem 31", "MC 31;"},
            {"Option40", "Mem 32", "MC 32;"},  {"Option41", "Mem 33", "MC 33;"},
            {"Option42", "Mem 34", "MC 34;"},  {"Option43", "Mem 35", "MC 35;"},
            {"Option44", "Mem 36", "MC 36;"},  {"Option45", "Mem 37", "MC 37;"},
            {"Option46", "Mem 38", "MC 38;"},  {"Option47", "Mem 39", "MC 39;"},
            {"Option48", "Mem 40", "MC 40;"},  {"Option49", "Mem 41", "MC 41;"},
            {"Option50", "Mem 42", "MC 42;"},  {"Option51", "Mem 43", "MC 43;"},
            {"Option52", "Mem 44", "MC 44;"},  {"Option53", "Mem 45", "MC 45;"},
            {"Option54", "Mem 46", "MC 46;"},  {"Option55", "Mem 47", "MC 47;"},
            {"Option56", "Mem 48", "MC 48;"},  {"Option57", "Mem 49", "MC 49;"},
            {"Option58", "Mem 50", "MC 50;"},  {"Option59", "Mem 51", "MC 51;"},
            {"Option60", "Mem 52", "MC 52;"},  {"Option61", "Mem 53", "MC 53;"},
            {"Option62", "Mem 54", "MC 54;"},  {"Option63", "Mem 55", "MC 55;"},
            {"Option64", "Mem 56", "MC 56;"},  {"Option65", "Mem 57", "MC 57;"},
            {"Option66", "Mem 58", "MC 58;"},  {"Option67", "Mem 59", "MC 59;"},
            {"Option68", "Mem 60", "MC 60;"},  {"Option69", "Mem 61", "MC 61;"},
            {"Option70", "Mem 62", "MC 62;"},  {"Option71", "Mem 63", "MC 63;"},
            {"Option72", "Mem 64", "MC 64;"},  {"Option73", "Mem 65", "MC 65;"},
            {"Option74", "Mem 66", "MC 66;"},  {"Option75", "Mem 67", "MC 67;"},
            {"Option76", "Mem 68", "MC 68;"},  {"Option77", "Mem 69", "MC 69;"},
            {"Option78", "Mem 70", "MC 70;"},  {"Option79", "Mem 71", "MC 71;"},
            {"Option80", "Mem 72", "MC 72;"},  {"Option81", "Mem 73", "MC 73;"},
            {"Option82", "Mem 74", "MC 74;"},  {"Option83", "Mem 75", "MC 75;"},
            {"Option84", "Mem 76", "MC 76;"},  {"Option85", "Mem 77", "MC 77;"},
            {"Option86", "Mem 78", "MC 78;"},  {"Option87", "Mem 79", "MC 79;"},
            {"Option88", "Mem 80", "MC 80;"},  {"Option89", "Mem 81", "MC 81;"},
            {"Option90", "Mem 82", "MC 82;"},  {"Option91", "Mem 83", "MC 83;"},
            {"Option92", "Mem 84", "MC 84;"},  {"Option93", "Mem 85", "MC 85;"},
            {"Option94", "Mem 86", "MC 86;"},  {"Option95", "Mem 87", "MC 87;"},
            {"Option96", "Mem 88", "MC 88;"},  {"Option97", "Mem 89", "MC 89;"},
            {"Option98", "Mem 90", "MC 90;"},  {"Option99", "Mem 91", "MC 91;"},
            {"Option100", "Mem 92", "MC 92;"}, {"Option101", "Mem 93", "MC 93;"},
            {"Option102", "Mem 94", "MC 94;"}, {"Option103", "Mem 95", "MC 95;"},
            {"Option104", "Mem 96", "MC 96;"}, {"Option105", "Mem 97", "MC 97;"},
            {"Option106", "Mem 98", "MC 98;"}, {"Option107", "Mem 99", "MC 99;"},
        };
        for (const auto& row : rows)
            QTest::newRow(row.caption)
                << row.control << row.caption << row.recall << (&row == std::end(rows) - 1);
    }

    // One shown panel serves all the memory buttons' rows, as the operator
    // clicks one after another; it closes after the last row, or after a row
    // that failed, so the next starts clean.
    void quickMemoryRecallsItsChannel()
    {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, recall);
        QFETCH(bool, lastRow);
        const auto closeAfter = qScopeGuard([&] {
            if (lastRow || QTest::currentTestFailed())
                m_openPanel.close();
        });
        if (!m_openPanel.panel) {
            m_openPanel.env = std::make_unique<TestEnvironment>();
            m_openPanel.timeline = std::make_unique<Timeline>();
            m_openPanel.panel = std::make_unique<ShownPanel>();
        }
        ShownPanel& panel = *m_openPanel.panel;
        Timeline& timeline = *m_openPanel.timeline;
        timeline.clear();
        QAbstractButton* button = panel.button(control);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->accessibleName(), caption);
        panel.click(control);
        QCOMPARE(timeline.events(), QStringList({"FR2;", recall}));
        QCOMPARE(panel.marked(), control);
        QCOMPARE(panel.state().vfo, VfoChoice::NotChosen);
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
        const VfoChoice vfoBefore = panel.state().vfo;
        const QString markBefore = panel.marked();
        panel.click(control);
        QCOMPARE(timeline.events(), expected);
        QCOMPARE(panel.state().vfo, vfoBefore);
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
