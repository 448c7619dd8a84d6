// The keyboard map: every control of the main window and of Station
// Controls has a shortcut, none clashes with another of its window, a
// menu's or a screen reader's, a shortcut acts as a click on its control
// does, and Help > "Keyboard Shortcuts" lists them all in one table.

#include "clock/testclock.h"
#include "controls/stationcontrols.h"
#include "panel/panelkeys.h"
#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>

namespace {
const QString accessKey = QStringLiteral("a menu's access key");

// The menus' shortcuts, which work in the main window beside its controls' keys.
QList<QKeySequence> menuKeys(QMainWindow& window)
{
    QList<QKeySequence> keys;
    for (QAction* action : window.findChildren<QAction*>())
        if (!action->shortcut().isEmpty())
            keys << action->shortcut();
    return keys;
}

// The menu bar's access keys (Alt+F).
QList<QKeySequence> accessKeys(QMainWindow& window)
{
    QList<QKeySequence> keys;
    for (QAction* menu : window.menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(menu->text());
        if (!mnemonic.isEmpty())
            keys << mnemonic;
    }
    return keys;
}

// Whether one sequence begins the other (or they are the same): the longer
// one could then never be typed.
bool overlap(const QKeySequence& a, const QKeySequence& b)
{
    const int shorter = std::min(a.count(), b.count());
    for (int i = 0; i < shorter; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// Every pair of one window's keys is told apart, and no key is reserved.
void checkClashes(const QList<QKeySequence>& keys, const QStringList& names)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QVERIFY2(!keys[i].isEmpty(), qPrintable(names[i]));
        QVERIFY2(names[i] == accessKey || !reservedKey(keys[i]), qPrintable(names[i]));
        for (qsizetype j = i + 1; j < keys.size(); ++j)
            QVERIFY2(!overlap(keys[i], keys[j]),
                     qPrintable(names[i] + QStringLiteral(" and ") + names[j]));
    }
}
} // namespace

class TestKeymap : public QObject {
    Q_OBJECT

private slots:
    // The main window: its 120 selection buttons, push buttons and the
    // picture each have keys, bound to a control it has; Station Controls
    // likewise; neither window's keys clash.
    void everyControlHasKeysThatDoNotClash()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QList<KeyBinding> panelBindings = panelKeys();
        QSet<QString> bound;
        QList<QKeySequence> keys = menuKeys(panel.window());
        QStringList names(keys.size(), QStringLiteral("a menu item"));
        for (const QKeySequence& key : accessKeys(panel.window())) {
            keys << key;
            names << accessKey;
        }
        QVERIFY(keys.contains(QKeySequence(QStringLiteral("Alt+F"))));
        for (const KeyBinding& binding : panelBindings) {
            QVERIFY2(panel.window().findChild<QWidget*>(binding.control),
                     qPrintable(binding.control));
            bound << binding.control;
            keys << binding.sequence();
            names << binding.what;
        }
        QList<QWidget*> controls;
        for (QAbstractButton* button : panel.window().findChildren<QAbstractButton*>())
            if (button->isVisible())
                controls << button;
        controls << panel.window().findChild<QWidget*>(QStringLiteral("Picture1"));
        QCOMPARE(controls.size(), 120 + 20);
        for (QWidget* control : controls)
            QVERIFY2(bound.contains(control->objectName()), qPrintable(control->objectName()));
        checkClashes(keys, names);

        QApplication::setActiveWindow(&panel.window());
        QTest::keyClick(&panel.window(), Qt::Key_S, Qt::ControlModifier);
        auto* window = panel.window().findChild<StationControls*>();
        QVERIFY(window);
        QSet<QString> boundThere;
        QList<QKeySequence> keysThere;
        QStringList namesThere;
        for (const KeyBinding& binding : StationControls::keys()) {
            QVERIFY2(window->findChild<QWidget*>(binding.control), qPrintable(binding.control));
            boundThere << binding.control;
            keysThere << binding.sequence();
            names << binding.what;
            namesThere << binding.what;
        }
        for (QWidget* control : window->findChildren<QWidget*>())
            if (control->focusPolicy() & Qt::TabFocus && !control->objectName().isEmpty() &&
                !control->objectName().startsWith(QLatin1String("qt_")))
                QVERIFY2(boundThere.contains(control->objectName()),
                         qPrintable(control->objectName()));
        checkClashes(keysThere, namesThere);
        QCOMPARE(timeline.events(), QStringList());
    }

    // A band's keys mark its button and tune as its click does; a memory by
    // its two digits; the picture's plays its cue only; Station Controls'
    // keys act in that window. Nothing else is sent.
    void shortcutActsAsAClick()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        timeline.clear();
        QApplication::setActiveWindow(&panel.window());
        QTest::keyClick(&panel.window(), Qt::Key_5, Qt::ControlModifier);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QCOMPARE(panel.marked(), QStringLiteral("m20"));
        timeline.clear();

        QTest::keySequence(&panel.window(), QKeySequence(QStringLiteral("Ctrl+R, 0, 5")));
        QCOMPARE(timeline.events(), QStringList({"FR2;", "MC 05;"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option13"));
        timeline.clear();

        QTest::keySequence(&panel.window(), QKeySequence(QStringLiteral("Ctrl+D, U")));
        QCOMPARE(timeline.events(), QStringList({"MD2;"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option1"));
        timeline.clear();

        QTest::keyClick(&panel.window(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(timeline.events(), QStringList({"cue:tickles.wav"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option1"));
        timeline.clear();

        // Station Controls: Alt+S is its split.
        QTest::keyClick(&panel.window(), Qt::Key_S, Qt::ControlModifier);
        auto* window = panel.window().findChild<StationControls*>();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QApplication::setActiveWindow(window);
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FT1;"}));
        timeline.clear();
        // Ctrl+L gives the frequency field the keyboard, sending nothing.
        QTest::keyClick(window, Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtFrequency"));
        QCOMPARE(timeline.events(), QStringList());
    }

    // Help > "Keyboard Shortcuts": one accessible table, a row per binding
    // of the menus, the main window and Station Controls.
    void helpListsThemAll()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        timeline.clear();
        int rows = 0;
        QStringList row20m;
        QString name;
        onNextModal([&](QWidget* box) {
            auto* table = box->findChild<QTableWidget*>(QStringLiteral("tblShortcuts"));
            QVERIFY(table);
            QCOMPARE(QApplication::focusWidget(), table);
            rows = table->rowCount();
            name = QAccessible::queryAccessibleInterface(table)->text(QAccessible::Name);
            for (int row = 0; row < rows; ++row)
                if (table->item(row, 1)->text() == QStringLiteral("20m"))
                    for (int column = 0; column < 3; ++column)
                        row20m << table->item(row, column)->text();
            box->close();
        });
        QAction* item = panel.window().findChild<QAction*>(QStringLiteral("KeyboardShortcuts"));
        QVERIFY(item);
        item->trigger();
        QCOMPARE(row20m, QStringList({"Ctrl+5", "20m", "Main window"}));
        QCOMPARE(name, QStringLiteral("Keyboard shortcuts"));
        QCOMPARE(rows, menuKeys(panel.window()).size() + panelKeys().size() +
                           StationControls::keys().size());
        QCOMPARE(timeline.events(), QStringList());
    }
};

QTEST_MAIN(TestKeymap)
#include "tst_keymap.moc"
