// The panel for an operator who listens: safe keyboard navigation while a
// screen reader runs (focus only moves, Space or Return acts), the words
// each action leaves for the screen reader, the switches' last-sent setting
// and the front panel picture's record of what was sent. (The words for each
// command are tested with the commands, tests/radio/tst_commandwords.cpp.)
#include "clock/testclock.h"
#include "guides/form4.h"
#include "panel/safenavigation.h"
#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QFile>
#include <QMenu>

namespace {
QAccessibleInterface* heard(QObject* object)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return interface;
}

// Safe navigation as a running screen reader turns it on, for one test.
struct ScreenReaderRunning {
    ScreenReaderRunning() { SafeNavigation::instance().setScreenReaderRunning(true); }
    ~ScreenReaderRunning() { SafeNavigation::instance().setScreenReaderRunning(false); }
};
} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    // Thirty Tabs and more from "VFO A" all the way round the panel, past
    // "Off", send nothing; Space and Return act on the focused button, and
    // each action leaves its words for the screen reader.
    void safeNavigationExploresWithoutActing()
    {
        TestEnvironment env;
        Timeline timeline;
        ScreenReaderRunning reader;
        ShownPanel panel;
        QApplication::setActiveWindow(&panel.window());
        QCOMPARE(panel.marked(), QStringLiteral("Option6"));
        const int stops = 140; // every control, and round to "VFO A" again
        for (int step = 0; step < stops; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(timeline.events(), QStringList());
        QCOMPARE(panel.marked(), QStringLiteral("Option6"));

        // Arrows move within the selection buttons without acting.
        panel.button("m160")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel.button("m160"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), panel.button("m80"));
        QCOMPARE(timeline.events(), QStringList());

        panel.button("m20")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel.button("m20"), Qt::Key_Space);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QCOMPARE(announced(panel.window()), QStringLiteral("20 metres, VFO A, 14.000 MHz"));
        QCOMPARE(heard(panel.window().findChild<QWidget*>("Announcement"))->role(),
                 QAccessible::Notification);

        timeline.clear();
        panel.button("Option13")->setFocus(Qt::TabFocusReason); // "Mem 05"
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(panel.button("Option13"), Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"FR2;", "MC 05;"}));
        QCOMPARE(announced(panel.window()), QStringLiteral("Memory 05 recalled"));

        timeline.clear();
        panel.button("Option111")->setFocus(Qt::TabFocusReason); // "Off"
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(panel.button("Option111"), Qt::Key_Space);
        QCOMPARE(timeline.events(), QStringList({"PS0;", "cue:poff.wav"}));
        QCOMPARE(announced(panel.window()), QStringLiteral("Radio switched off"));

        // Return on the marked button acts again, as Space does.
        timeline.clear();
        QTest::keyClick(panel.button("Option111"), Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"PS0;", "cue:poff.wav"}));

        // Return presses a push button too.
        timeline.clear();
        panel.button("Command8")->setFocus(Qt::TabFocusReason); // "Preamplifier"
        QTest::keyClick(panel.button("Command8"), Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList({"PA1;"}));
        QCOMPARE(announced(panel.window()), QStringLiteral("Preamplifier on"));
    }

    // Without a screen reader and without the operator's choice, focus
    // selects as before, and the start-up focus on "VFO A" is still absorbed.
    void focusSelectsWhenOff()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QApplication::setActiveWindow(&panel.window());
        QVERIFY(!panel.state().startupSelectionPending);
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(timeline.events(), QStringList({"FR1;", "cue:vfob.wav"}));

        // A screen reader starting meanwhile stops that; its end brings it back.
        SafeNavigation::instance().setScreenReaderRunning(true);
        timeline.clear();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(timeline.events(), QStringList());
        SafeNavigation::instance().setScreenReaderRunning(false);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(timeline.events(), QStringList({"FR2;", "MC 00;"}));

        // Return on a push button stays as it was: nothing.
        timeline.clear();
        panel.button("Command8")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(panel.button("Command8"), Qt::Key_Return);
        QCOMPARE(timeline.events(), QStringList());
    }

    // The operator's menu item turns safe navigation on and is kept in
    // quillard.conf in the settings folder.
    void menuItemIsRemembered()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        auto* item = panel.window().findChild<QAction*>(QStringLiteral("SafeKeys"));
        QVERIFY(item);
        QVERIFY(item->isCheckable());
        QCOMPARE(item->text(), QStringLiteral("Safe &Keyboard Navigation"));
        auto* help = panel.window().findChild<QMenu*>(QStringLiteral("Help"));
        QVERIFY(help && help->actions().contains(item));
        QVERIFY(!SafeNavigation::instance().active());

        item->setChecked(true);
        QVERIFY(SafeNavigation::instance().active());
        QFile conf(env.settingsDir() + QStringLiteral("/quillard.conf"));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), QByteArray("[Keyboard]\nsafeNavigation=true\n"));
        conf.close();

        QApplication::setActiveWindow(&panel.window());
        panel.button("Option6")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(timeline.events(), QStringList());

        item->setChecked(false);
        QVERIFY(!SafeNavigation::instance().active());
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), QByteArray("[Keyboard]\nsafeNavigation=false\n"));
    }

    // Switches are checkable to a screen reader, checked while the setting
    // last sent is on; plain push buttons are not.
    void switchesShowTheirLastSetting()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        for (const char* name : {"Command6", "Command7", "Command8", "Command9", "Command10",
                                 "Command11", "Command12", "Command16"}) {
            QAccessibleInterface* button = heard(panel.button(QLatin1String(name)));
            QCOMPARE(button->role(), QAccessible::CheckBox);
            QVERIFY2(button->state().checkable, name);
            QVERIFY2(!button->state().checked, name);
        }
        QCOMPARE(heard(panel.button("Command10"))->text(QAccessible::Name),
                 QStringLiteral("Noice Blanker"));
        for (const char* name : {"Command1", "Command4", "Command14", "Command18"})
            QVERIFY2(!heard(panel.button(QLatin1String(name)))->state().checkable, name);

        QAccessibleInterface* blanker = heard(panel.button("Command10"));
        panel.click("Command10");
        QCOMPARE(timeline.events(), QStringList({"NB0;"}));
        QVERIFY(!blanker->state().checked);
        QCOMPARE(announced(panel.window()), QStringLiteral("Noise blanker off"));
        panel.click("Command10");
        QVERIFY(blanker->state().checked);
        QCOMPARE(announced(panel.window()), QStringLiteral("Noise blanker on"));

        // Noise reduction: NR1 and NR2 are on, NR0 off.
        QAccessibleInterface* reduction = heard(panel.button("Command9"));
        panel.click("Command9");
        QVERIFY(reduction->state().checked);
        panel.click("Command9");
        QVERIFY(reduction->state().checked);
        panel.click("Command9");
        QVERIFY(!reduction->state().checked);
        QCOMPARE(announced(panel.window()), QStringLiteral("Noise reduction off"));
    }

    // A second "VOX" inside the first one's pause sends "off": the switch
    // shows "off" once both are over, not the first press's "on".
    void switchShowsTheLastSettingAfterAPressInsideItsPause()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        QAbstractButton* vox = panel.button("Command16");
        clock.at(0.05, [vox] { vox->click(); });
        vox->click();
        QCOMPARE(timeline.events(), QStringList({"VX1;", "VX0;"}));
        QVERIFY(!heard(vox)->state().checked);
        QCOMPARE(announced(panel.window()), QStringLiteral("VOX off"));
    }

    // Menu items give their shortcut as the accelerator part of their key
    // binding, which is what Orca speaks after the caption; menus are named
    // after their titles and say so when they open.
    void menusSayTitlesAndShortcuts()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const struct {
            const char* name;
            const char* heardName;
            QStringList binding;
        } items[] = {
            {"Exit", "Exit", {"", "", "Ctrl+X"}}, {"Memories", "Memories", {"", "", "Ctrl+M"}},
            {"About", "About", {"", "", "F1"}},   {"SSTV", "SSTV", {}},
            {"SWL", "Short Wave Radio", {}},
        };
        for (const auto& item : items) {
            auto* action = panel.window().findChild<QAction*>(QLatin1String(item.name));
            QVERIFY(action);
            QAccessibleInterface* entry = heard(action);
            QCOMPARE(entry->role(), QAccessible::MenuItem);
            QCOMPARE(entry->text(QAccessible::Name), QLatin1String(item.heardName));
            QAccessibleActionInterface* actions = entry->actionInterface();
            QVERIFY(actions);
            QCOMPARE(actions->actionNames(),
                     QStringList{QAccessibleActionInterface::pressAction()});
            QCOMPARE(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
                     item.binding);
        }
        auto* safeKeys = panel.window().findChild<QAction*>(QStringLiteral("SafeKeys"));
        QCOMPARE(heard(safeKeys)->text(QAccessible::Name),
                 QStringLiteral("Safe Keyboard Navigation"));
        QVERIFY(heard(safeKeys)->state().checkable);

        // The menu bar's items hold their menus, named by title.
        auto* file = panel.window().findChild<QMenu*>(QStringLiteral("File"));
        QAccessibleInterface* fileItem = heard(file->menuAction());
        QCOMPARE(fileItem->text(QAccessible::Name), QStringLiteral("File"));
        QCOMPARE(fileItem->childCount(), 1);
        QCOMPARE(fileItem->child(0)->object(), file);
        QCOMPARE(fileItem->child(0)->text(QAccessible::Name), QStringLiteral("File"));
        QCOMPARE(
            heard(panel.window().findChild<QAction*>(QStringLiteral("Exit")))->parent()->object(),
            file);

        QMetaObject::invokeMethod(file, "aboutToShow");
        QCOMPARE(announced(panel.window()), QStringLiteral("File menu"));
    }

    // Each SSTV cell says which column and band it belongs to.
    void sstvEntriesSayTheirColumnAndBand()
    {
        TestEnvironment env;
        Timeline timeline;
        Form4 sstv(m_port.lend());
        const struct {
            const char* name;
            const char* caption;
            const char* description;
        } cells[] = {
            {"Text8", "3730~3740", "IARU Region 1 (Europe/Africa), 80 metres"},
            {"Text9", "7035~7045", "IARU Region 1 (Europe/Africa), 40 metres"},
            {"Text12", "28675~28685", "IARU Region 1 (Europe/Africa), 10 metres"},
            {"Text2", "3845", "U.S.A./Canada, 80 metres"},
            {"Text4", "14230", "U.S.A./Canada, 20 metres"},
            {"Text6", "28680", "U.S.A./Canada, 10 metres"},
        };
        for (const auto& cell : cells) {
            QAccessibleInterface* entry = heard(sstv.findChild<QWidget*>(QLatin1String(cell.name)));
            QCOMPARE(entry->text(QAccessible::Name), QLatin1String(cell.caption));
            QCOMPARE(entry->text(QAccessible::Description), QLatin1String(cell.description));
        }
    }

    // The radio picture tells what was last sent, marked as such.
    void frontPanelTellsWhatWasLastSent()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QAccessibleInterface* picture = heard(panel.window().findChild<QWidget*>("Picture1"));
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("Radio front panel"));
        panel.clickAll({"Option7", "m20", "Option1", "Command10", "Command10", "Command11"});
        QCOMPARE(picture->text(QAccessible::Name),
                 QStringLiteral("Radio front panel, last sent: VFO B, 14.000 MHz, USB"));
        QCOMPARE(picture->text(QAccessible::Description),
                 QStringLiteral("Last sent: receiver VFO B, VFO B 14.000 MHz, USB, "
                                "noise blanker on, RF attenuator on"));
        panel.click("Option13"); // "Mem 05"
        QCOMPARE(picture->text(QAccessible::Name),
                 QStringLiteral("Radio front panel, last sent: memory 05, USB"));
    }
};

QTEST_MAIN(TestScreenReader)
#include "tst_screenreader.moc"
