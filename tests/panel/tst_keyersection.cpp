// The CW keyer in Station Controls beside a shown main window, over a real
// pseudo-terminal and on the test clock: the memories and the typed line go
// out as KY texts at the moments the radio has keyed the one before, after
// the offer to switch to CW; refused characters send nothing; Stop sends
// nothing more; the speed box sends KS only when moved; memories and the call
// sign are kept in quillard.conf; the keyboard comes back to the control
// that started a message.

#include "clock/testclock.h"
#include "controls/stationcontrols.h"
#include "session/programsettings.h"
#include "stationcontrolsfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {
StationControls* open(ShownPanel& panel)
{
    StationControls* window = openStationControls(panel);
    if (window)
        QApplication::setActiveWindow(window);
    return window;
}

void type(QLineEdit* field, const QString& text)
{
    typeInto(field, text);
}

bool sending(QWidget* window)
{
    return in<QLabel>(window, "lblCwStatus")->text().startsWith(QLatin1String("Sending"));
}

QStringList texts(const QList<Timeline::Event>& events)
{
    QStringList said;
    for (const Timeline::Event& event : events)
        said << event.what;
    return said;
}

QList<double> times(const QList<Timeline::Event>& events)
{
    QList<double> at;
    for (const Timeline::Event& event : events)
        at << event.ms;
    return at;
}
} // namespace

class TestKeyerSection : public QObject {
    Q_OBJECT

private slots:
    // A memory with {CALL}, the mode not yet sent: the offer of CW first, the
    // starting speed with the first text, the texts paced at 20 wpm.
    void memoryAfterTheOfferOfCw()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        StationControls* window = open(panel);
        QVERIFY(window);
        timeline.clear();

        type(in<QLineEdit>(window, "txtCallSign"), QStringLiteral("K1ABC"));
        type(in<QLineEdit>(window, "txtCwLabel2"), QStringLiteral("Long CQ"));
        type(in<QLineEdit>(window, "txtCwText2"),
             QStringLiteral("CQ CQ CQ DE {CALL} {CALL} {CALL} K"));
        auto* send = in<QPushButton>(window, "cmdCwMemory2");
        QCOMPARE(send->text(), QStringLiteral("Long CQ"));
        QCOMPARE(timeline.events(), QStringList());

        MessageBox::setNextAnswer(QMessageBox::Yes);
        send->setFocus();
        QTest::keyClick(send, Qt::Key_Space);
        const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().text.contains(QLatin1String("CW (MD3;)")),
                 qPrintable(boxes.first().text));
        // The box has just had the keyboard: what it sent is said at once,
        // the message's start a moment later, once a screen reader has
        // spoken the window getting the keyboard back.
        QCOMPARE(announced(window), QStringLiteral("CW"));
        clock.advance(0.4);
        QCOMPARE(announced(window), QStringLiteral("Sending CW: CQ CQ CQ DE K1ABC K1ABC K1ABC K"));
        QVERIFY(clock.advanceUntil([&] { return !sending(window); }));

        const QList<Timeline::Event> events = timeline.timedEvents();
        QCOMPARE(texts(events), (QStringList{"MD3;", "KS020;", "KY CQ CQ CQ DE K1ABC K1ABC ;",
                                             "KY  K1ABC K                ;"}));
        // CQ CQ CQ DE K1ABC K1ABC: 256 dots of 60 ms, and the margin of 100 ms.
        QCOMPARE(times(events), (QList<double>{0, 0, 0, 15460}));
        QCOMPARE(clock.seconds(), 20.72); // then " K1ABC K", 86 dots, and the margin
        QCOMPARE(in<QLabel>(window, "lblCwStatus")->text(),
                 QStringLiteral("CW sent: CQ CQ CQ DE K1ABC K1ABC K1ABC K"));
        QCOMPARE(QApplication::focusWidget(), send);
        QCOMPARE(in<QSpinBox>(window, "spnCwSpeed")->value(), 20);

        // Kept for the next run.
        QSettings settings = programSettings();
        QCOMPARE(settings.value(QStringLiteral("Keyer/callSign")).toString(),
                 QStringLiteral("K1ABC"));
        QCOMPARE(settings.value(QStringLiteral("Keyer/memory2/label")).toString(),
                 QStringLiteral("Long CQ"));
        QCOMPARE(settings.value(QStringLiteral("Keyer/memory2/text")).toString(),
                 QStringLiteral("CQ CQ CQ DE {CALL} {CALL} {CALL} K"));
    }

    // Refused characters send nothing, and the box names them; the typed
    // line on Enter; Stop in the middle sends nothing more, and the
    // keyboard goes back to the line.
    void lineRefusalAndStop()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        panel.click(QStringLiteral("Option2")); // CW
        StationControls* window = open(panel);
        QVERIFY(window);
        timeline.clear();

        auto* line = in<QLineEdit>(window, "txtCwLine");
        type(line, QStringLiteral("UR RST 599 #1 [OK]"));
        QTest::keyClick(line, Qt::Key_Return);
        const QList<MessageBox::Shown> boxes = MessageBox::takeShown();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().text.contains(QLatin1String("these characters: # [ and ].")),
                 qPrintable(boxes.first().text));
        QCOMPARE(timeline.events(), QStringList());
        QCOMPARE(line->text(), QStringLiteral("UR RST 599 #1 [OK]")); // kept to put right
        QCOMPARE(QApplication::focusWidget(), line);

        type(line, QStringLiteral("cq test de k1abc k1abc k1abc test k"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(line->text(), QString());
        clock.advance(5);
        QTest::mouseClick(in<QPushButton>(window, "cmdCwStop"), Qt::LeftButton);
        QCOMPARE(timeline.events(), (QStringList{"KS020;", "KY CQ TEST DE K1ABC K1ABC  ;"}));
        QVERIFY2(in<QLabel>(window, "lblCwStatus")
                     ->text()
                     .startsWith(QLatin1String("CW stopped after text 1 of 2")),
                 qPrintable(in<QLabel>(window, "lblCwStatus")->text()));
        QCOMPARE(QApplication::focusWidget(), line);
        clock.advance(60);
        QCOMPARE(timeline.events().size(), 2);
    }

    // A line sent while another is keyed follows it, no sooner than the
    // radio has keyed it, and is said at once.
    void lineWhileSending()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        panel.click(QStringLiteral("Option2"));
        StationControls* window = open(panel);
        QVERIFY(window);
        timeline.clear();

        auto* line = in<QLineEdit>(window, "txtCwLine");
        type(line, QStringLiteral("TEST"));
        QTest::keyClick(line, Qt::Key_Return);
        type(line, QStringLiteral("TU"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(announced(window), QStringLiteral("CW next: TU"));
        QVERIFY(clock.advanceUntil([&] { return !sending(window); }));
        const QList<Timeline::Event> events = timeline.timedEvents();
        QCOMPARE(texts(events), (QStringList{"KS020;", "KY TEST                    ;",
                                             "KY TU                      ;"}));
        // TEST: 24 dots of 60 ms, and the margin.
        QCOMPARE(times(events), (QList<double>{0, 0, 1540}));
        QCOMPARE(in<QLabel>(window, "lblCwStatus")->text(), QStringLiteral("CW sent: TEST TU"));
        QCOMPARE(QApplication::focusWidget(), line);
    }

    // The speed box: blank until a speed is sent, nothing sent on the focus,
    // each step sent, a typed speed on Enter; {SPEED+} shows in it.
    void speed()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        ShownPanel panel;
        panel.click(QStringLiteral("Option2"));
        StationControls* window = open(panel);
        QVERIFY(window);
        timeline.clear();

        auto* speed = in<QSpinBox>(window, "spnCwSpeed");
        QCOMPARE(speed->text(), QStringLiteral("not sent"));
        speed->setFocus();
        QCOMPARE(timeline.events(), QStringList());
        QTest::keyClick(speed, Qt::Key_Up);
        QTest::keyClick(speed, Qt::Key_Up);
        speed->selectAll();
        QTest::keyClicks(speed, QStringLiteral("25"));
        QCOMPARE(timeline.events(), (QStringList{"KS010;", "KS011;"}));
        QTest::keyClick(speed, Qt::Key_Return);
        QCOMPARE(announced(window), QStringLiteral("CW speed 25 words per minute as sent"));
        timeline.clear();

        type(in<QLineEdit>(window, "txtCwLine"), QStringLiteral("5NN {SPEED+}TU"));
        QTest::keyClick(in<QLineEdit>(window, "txtCwLine"), Qt::Key_Return);
        QVERIFY(clock.advanceUntil([&] { return !sending(window); }));
        QCOMPARE(timeline.events(), (QStringList{"KY 5NN                     ;", "KS030;",
                                                 "KY  TU                     ;"}));
        QCOMPARE(speed->value(), 30);
    }
};

QUILLARD_TEST_MAIN(TestKeyerSection)
#include "tst_keyersection.moc"
