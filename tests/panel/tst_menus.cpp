// The main window's menus: the tree as the operator sees it, and the hand-over
// of the serial port to each window opened from it, over a real
// pseudo-terminal. One main window serves every case, as in a real run.
#include "clock/testclock.h"
#include "guides/guidewindow.h"
#include "guides/schedulefiledialog.h"
#include "memory/form1.h"
#include "panel/form2.h"
#include "timeline.h"
#include "uitest.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <memory>

class TestMenus : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    TestClock m_clock; // the load sequence's waits pass at once
    std::unique_ptr<Timeline> m_timeline;
    std::unique_ptr<Form2> m_main;

    QAction* action(const QString& name) { return m_main->findChild<QAction*>(name); }

    // Opens a window from its menu item; while it is open, records what the
    // two links look like, optionally clicks an entry, then closes it.
    struct WhileOpen {
        QString window;
        bool mainLinkOpen = false;
        bool windowLinkOpen = false;
    };
    WhileOpen openAndClose(const std::function<void()>& trigger, const QString& entry = {})
    {
        WhileOpen seen;
        onNextModal([&](QWidget* modal) {
            seen.window = modal->objectName();
            seen.mainLinkOpen = m_main->link().isOpen();
            if (auto* guide = qobject_cast<GuideWindow*>(modal)) {
                seen.windowLinkOpen = guide->link().isOpen();
                if (!entry.isEmpty())
                    QTest::mouseClick(guide->findChild<QWidget*>(entry), Qt::LeftButton);
            }
            modal->close();
        });
        trigger();
        return seen;
    }

    // The main window's next command after a window has gone.
    QStringList mainSendsAfterwards()
    {
        m_main->link().sendCommand(CatCommand::frequency(Vfo::A, 14000000));
        return m_timeline->events();
    }

private slots:
    void initTestCase()
    {
        m_env = std::make_unique<TestEnvironment>();
        // "On the Air Now" asks for a schedule at its first opening: none is chosen.
        ScheduleFileDialog::setScript([](const ScheduleFileRequest&) { return QString(); });
        m_timeline = std::make_unique<Timeline>();
        m_main = std::make_unique<Form2>();
        m_main->Form_Load();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        QTRY_VERIFY(m_main->link().isOpen());
    }

    void cleanupTestCase()
    {
        ScheduleFileDialog::setScript({});
        m_main.reset();
        m_timeline.reset();
        m_env.reset();
    }

    void init()
    {
        m_timeline->clear();
        MessageBox::takeShown();
    }

    void menuTreeWithAccessKeysAndShortcuts()
    {
        const QList<QAction*> menus = m_main->menuBar()->actions();
        QStringList titles;
        for (QAction* menu : menus)
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&File", "Program Radio Memories", "Frequencies", "Help"}));

        struct Item {
            const char* menu;
            const char* name;
            const char* caption;
            QKeySequence shortcut;
        };
        const Item items[] = {
            {"File", "Exit", "E&xit", QKeySequence(Qt::CTRL | Qt::Key_X)},
            {"Programming", "Memories", "&Memories", QKeySequence(Qt::CTRL | Qt::Key_M)},
            {"Frequencies", "TuneToFrequency", "Tune to Frequency...",
             QKeySequence(Qt::CTRL | Qt::Key_T)},
            {"Frequencies", "StationControls", "Station Controls",
             QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"Frequencies", "SSTV", "SSTV", {}},
            {"Frequencies", "SWL", "Short Wave Radio", {}},
            {"Frequencies", "SAREX", "SAREX", {}},
            {"Frequencies", "BandPlan", "Band Plan", {}},
            {"Frequencies", "Code", "Code Reception", {}},
            {"Frequencies", "OnAirNow", "On the Air Now...", {}},
            {"Help", "Copyright", "Copyright", {}},
            {"Help", "KeyboardShortcuts", "Keyboard Shortcuts",
             QKeySequence(Qt::SHIFT | Qt::Key_F1)},
            {"Help", "About", "About", QKeySequence(Qt::Key_F1)},
        };
        QHash<QString, QStringList> order;
        for (const Item& item : items) {
            auto* menu = m_main->findChild<QMenu*>(QString::fromLatin1(item.menu));
            QVERIFY2(menu, item.menu);
            QAction* entry = action(QString::fromLatin1(item.name));
            QVERIFY2(entry, item.name);
            QCOMPARE(entry->text(), QString::fromLatin1(item.caption));
            QCOMPARE(entry->shortcut(), item.shortcut);
            QVERIFY(menu->actions().contains(entry));
            order[menu->objectName()] << entry->objectName();
        }
        QCOMPARE(order.value("Frequencies"),
                 QStringList({"TuneToFrequency", "StationControls", "SSTV", "SWL", "SAREX",
                              "BandPlan", "Code", "OnAirNow"}));
        QCOMPARE(order.value("Help"), QStringList({"Copyright", "KeyboardShortcuts", "About"}));
    }

    void radioWindowsTakeThePortAndGiveItBack_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("SSTV") << "SSTV"
                              << "Form4"
                              << "Text4" << QStringList({"MD2;", "FR0;", "FA00014230000;"});
        QTest::newRow("Short Wave Radio")
            << "SWL"
            << "Form5"
            << "swl84" << QStringList({"MD5;", "FR0;", "FA00010000000;"});
        QTest::newRow("SAREX") << "SAREX"
                               << "Form7"
                               << "Command1" << QStringList({"MD2;", "FR0;", "FA00003860000;"});
        QTest::newRow("Code Reception")
            << "Code"
            << "Form9"
            << "Command2" << QStringList({"FR0;", "MD3;", "FA00003581500;"});
        QTest::newRow("On the Air Now") << "OnAirNow"
                                        << "OnAirWindow"
                                        << "" << QStringList();
        QTest::newRow("Memories") << "Memories"
                                  << "Form1"
                                  << "" << QStringList();
    }

    void radioWindowsTakeThePortAndGiveItBack()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, entry);
        QFETCH(QStringList, sent);
        // Twice: each opening loads afresh and takes the port again.
        for (int opening = 0; opening < 2; ++opening) {
            m_timeline->clear();
            const WhileOpen seen = openAndClose([&] { action(item)->trigger(); }, entry);
            QCOMPARE(seen.window, window);
            QVERIFY(!seen.mainLinkOpen);
            if (window != QLatin1String("Form1"))
                QVERIFY(seen.windowLinkOpen);
            QVERIFY(m_main->link().isOpen());
            QCOMPARE(mainSendsAfterwards(), sent + QStringList({"FA00014000000;"}));
        }
    }

    // Each opening of the memory window gets the port, writes through it,
    // and gives it back; the main window then has it again.
    void memoryWindowWritesThroughTheLentPort()
    {
        QAction* memories = action("Memories");
        for (int opening = 0; opening < 2; ++opening) {
            bool checked = false;
            onNextModal([&](QWidget* modal) {
                auto* form = qobject_cast<Form1*>(modal);
                QVERIFY(form);
                QVERIFY(!m_main->link().isOpen());
                QVERIFY(form->link().isOpen());
                QCOMPARE(form->freqBox(0)->text(), QString());
                form->freqBox(0)->setText("2840000");
                form->modeBox(0)->setText("usb");
                form->findChild<QPushButton*>("Command2")->click();
                form->findChild<QPushButton*>("Command1")->click();
                checked = true;
            });
            m_timeline->clear();
            memories->trigger();
            QVERIFY(checked);
            QVERIFY(m_main->link().isOpen());
            QVERIFY(m_main->findChildren<Form1*>().isEmpty());
            QCOMPARE(
                mainSendsAfterwards(),
                QStringList({"cue:programming.wav", "MW0 000002840000020001 ;", "FA00014000000;"}));
        }
    }

    void otherWindowsLeaveThePortOpen_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("Band Plan") << "BandPlan"
                                   << "Form8";
        QTest::newRow("Copyright") << "Copyright"
                                   << "Splash";
        QTest::newRow("About") << "About"
                               << "frmAbout";
    }

    void otherWindowsLeaveThePortOpen()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        const WhileOpen seen = openAndClose([&] { action(item)->trigger(); });
        QCOMPARE(seen.window, window);
        QVERIFY(seen.mainLinkOpen);
        QCOMPARE(mainSendsAfterwards(), QStringList({"FA00014000000;"}));
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    void shortcutsOpenTheirWindows()
    {
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        WhileOpen seen = openAndClose([&] { QTest::keyClick(m_main.get(), Qt::Key_F1); });
        QCOMPARE(seen.window, QStringLiteral("frmAbout"));
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        seen = openAndClose([&] { QTest::keyClick(m_main.get(), Qt::Key_M, Qt::ControlModifier); });
        QCOMPARE(seen.window, QStringLiteral("Form1"));
        QTRY_VERIFY(m_main->link().isOpen());
    }
};

QUILLARD_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
