// Fixed windows on screens too small for them (a 1366 by 768 laptop at 150%
// leaves about 910 by 480): the window keeps within the screen's available
// area and scrolls, so every control, Exit included, can be reached, by
// mouse and by Tab; on a screen large enough nothing changes.
#include "about/frmabout.h"
#include "guides/form5.h"
#include "guides/form9.h"
#include "memory/form1.h"
#include "timeline.h"
#include "ui/look.h"
#include "uitest.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// A screen of the given size for the lifetime of the object.
class SmallScreen {
public:
    explicit SmallScreen(QRect area) { setAvailableScreenAreaForTests(area); }
    ~SmallScreen() { setAvailableScreenAreaForTests(std::nullopt); }
};

// Whether the control is wholly in view in its window.
bool inView(QWidget* control)
{
    QWidget* window = control->window();
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    return window->rect().contains(place) && !control->visibleRegion().isEmpty();
}
} // namespace

class TestSmallScreen : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    void memoryWindowScrollsToItsButtons()
    {
        TestEnvironment env;
        Timeline timeline;
        const QRect screen(0, 0, 910, 480);
        SmallScreen small(screen);
        Form1 window(m_port.lend());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.height() < 480);
        QVERIFY(screen.contains(window.geometry()));
        auto* scroll = window.findChild<QScrollArea*>();
        QVERIFY(scroll);
        QVERIFY(scroll->verticalScrollBar()->maximum() > 0);

        // The sheet inside is laid out as designed and keeps its names.
        QWidget* first = window.freqBox(0);
        QCOMPARE(first->objectName(), QStringLiteral("freq00"));
        QCOMPARE(first->geometry(), QRect(44, 28, 70, 18));
        QCOMPARE(first->parentWidget()->size(), QSize(660, 590));

        // Tab still runs box by box, and on past the last box to the buttons,
        // which come into view as they get the focus.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        first->setFocus(Qt::TabFocusReason);
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.modeBox(0));
        window.modeBox(99)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window.modeBox(99), Qt::Key_Tab);
        auto* write = window.findChild<QPushButton*>(QStringLiteral("Command2"));
        QCOMPARE(QApplication::focusWidget(), write);
        QVERIFY(inView(write));

        // Exit, scrolled to and clicked, closes the window.
        auto* exit = window.findChild<QPushButton*>(QStringLiteral("Command1"));
        scroll->ensureWidgetVisible(exit);
        QVERIFY(inView(exit));
        QTest::mouseClick(exit, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.link().isOpen());
    }

    void guidesAndAboutKeepWithinTheScreen()
    {
        TestEnvironment env;
        Timeline timeline;
        const QRect screen(0, 0, 640, 400);
        SmallScreen small(screen);
        {
            Form5 shortWave(m_port.lend());
            shortWave.show();
            QVERIFY(QTest::qWaitForWindowExposed(&shortWave));
            QVERIFY(screen.contains(shortWave.geometry()));
            QVERIFY(shortWave.findChild<QScrollArea*>());
            // Its own scroll bar and list are inside, as designed.
            auto* bar = shortWave.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
            QCOMPARE(bar->parentWidget()->size(), QSize(449, 475));
        }
        {
            Form9 code(m_port.lend());
            code.show();
            QVERIFY(QTest::qWaitForWindowExposed(&code));
            QVERIFY(screen.contains(code.geometry()));
            auto* last = code.findChild<QPushButton*>(QStringLiteral("Command7"));
            code.findChild<QScrollArea*>()->ensureWidgetVisible(last);
            QVERIFY(inView(last));
            QTest::mouseClick(last, Qt::LeftButton);
            QCOMPARE(timeline.events(), QStringList({"FR0;", "MD3;", "FA00028067500;"}));
        }
        // The About box fits in 640 by 400 as it is.
        frmAbout about;
        about.show();
        QCOMPARE(about.size(), QSize(401, 350));
        QVERIFY(!about.findChild<QScrollArea*>());
    }

    void onAScreenLargeEnoughNothingChanges()
    {
        TestEnvironment env;
        Timeline timeline;
        SmallScreen large(QRect(0, 0, 1366, 768));
        Form1 window(m_port.lend());
        window.show();
        QCOMPARE(window.size(), QSize(660, 590));
        QVERIFY(!window.findChild<QScrollArea*>());
        QCOMPARE(window.freqBox(0)->parentWidget(), &window);
    }
};

QUILLARD_TEST_MAIN(TestSmallScreen)
#include "tst_smallscreen.moc"
