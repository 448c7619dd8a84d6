// The levels, power and filter sections on the offscreen platform, on the
// test clock: what each control sends when the operator moves it, what it
// shows as sent, and what it never sends (opening, the focus, showing a
// value). A drag sends at most one command per 100 ms and always the final
// value; each keyboard step sends.

#include "clock/testclock.h"
#include "controls/section.h"
#include "controls/stationcontext.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

extern const Section levelSection;
extern const Section powerSection;
extern const Section filterSection;

namespace {
// The radio's end of the main window's link: each command with the moment
// it was handed over.
class RecordingLink : public RadioLink {
public:
    struct Sent {
        QByteArray bytes;
        double seconds;
    };
    explicit RecordingLink(TestClock& clock) : m_clock(clock) {}
    bool isOpen() const override { return true; }
    bool open() override { return true; }
    bool sendCommand(const CatCommand& command) override
    {
        if (!command.isValid())
            return false;
        sent.append({command.framed(), m_clock.seconds()});
        return true;
    }
    void drainInput() override {}
    qint64 inBufferCount() const override { return 0; }
    void closeLink() override {}
    void flush() override {}
    QString portDescription() const override { return QStringLiteral("test link"); }

    QStringList bytes() const
    {
        QStringList all;
        for (const Sent& one : sent)
            all << QString::fromLatin1(one.bytes);
        return all;
    }
    QList<Sent> sent;

private:
    TestClock& m_clock;
};

struct Fixture {
    TestClock clock;
    RecordingLink link{clock};
    QWidget window;
    StationContext context{link, &window};
    QStringList told;
    Fixture()
    {
        context.told = [this](const QString& words, const SentRecord&, QWidget*) { told << words; };
    }
    QGroupBox* add(const Section& section)
    {
        auto* box = new QGroupBox(QString::fromLatin1(section.title), &window);
        box->setObjectName(QString::fromLatin1(section.name));
        section.build(box, context);
        return box;
    }
};

// Presses and drags the slider's handle as a mouse would, the test clock
// standing still between moves unless told.
void press(QSlider* slider)
{
    slider->setSliderDown(true);
}
void release(QSlider* slider)
{
    slider->setSliderDown(false);
}
} // namespace

class TestLevelSections : public QObject {
    Q_OBJECT

private slots:
    // Opening the sections and moving the keyboard through them sends
    // nothing; every level starts blank.
    void openingAndFocusSendNothing()
    {
        Fixture f;
        f.add(powerSection);
        f.add(levelSection);
        f.add(filterSection);
        f.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window));
        for (QWidget* control : f.window.findChildren<QWidget*>()) {
            if (control->focusPolicy() & Qt::TabFocus)
                control->setFocus(Qt::TabFocusReason);
        }
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(f.link.sent.isEmpty());
        QVERIFY(f.told.isEmpty());
        QCOMPARE(f.window.findChild<QLabel*>("afGainSent")->text(),
                 QStringLiteral("AF gain as sent: not sent yet"));
        QCOMPARE(f.window.findChild<QLabel*>("powerSent")->text(),
                 QStringLiteral("Transmit power as sent: not sent yet"));
        auto* filter = f.window.findChild<QComboBox*>("cboFilter");
        QVERIFY(!filter->isEnabled());
        QCOMPARE(filter->count(), 0);
        // Every control has a name a screen reader says.
        for (QWidget* control : f.window.findChildren<QWidget*>()) {
            if ((control->focusPolicy() & Qt::TabFocus) && !qobject_cast<QGroupBox*>(control))
                QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }

    // Each keyboard step sends at once, however quick the steps.
    void keyboardStepsSendEachStep()
    {
        Fixture f;
        f.add(levelSection);
        f.window.show();
        auto* af = f.window.findChild<QSlider*>("afGainSlider");
        af->setFocus();
        QTest::keyClick(af, Qt::Key_Right);
        QTest::keyClick(af, Qt::Key_Right);
        QTest::keyClick(af, Qt::Key_Left);
        QTest::keyClick(af, Qt::Key_PageUp);
        QTest::keyClick(af, Qt::Key_End);
        QCOMPARE(f.link.bytes(),
                 (QStringList{"AG128;\r", "AG129;\r", "AG128;\r", "AG144;\r", "AG255;\r"}));
        QCOMPARE(f.told.last(), QStringLiteral("AF gain 255 as sent"));
        QCOMPARE(f.window.findChild<QLabel*>("afGainSent")->text(),
                 QStringLiteral("AF gain as sent: 255"));
        QCOMPARE(af->accessibleDescription(), QStringLiteral("AF gain as sent: 255"));

        // The IF shift goes in 100 Hz steps from its centre.
        auto* shift = f.window.findChild<QSlider*>("ifShiftSlider");
        QTest::keyClick(shift, Qt::Key_Left);
        QTest::keyClick(shift, Qt::Key_Home);
        QCOMPARE(f.link.bytes().mid(5), (QStringList{"IS-0100;\r", "IS-1000;\r"}));
        QCOMPARE(f.told.last(), QStringLiteral("IF shift minus 1000 Hz as sent"));
    }

    // A drag sends at most one command per 100 ms, never a value twice in a
    // row, and always the value it is left at.
    void dragIsPaced()
    {
        Fixture f;
        f.add(levelSection);
        f.window.show();
        auto* rf = f.window.findChild<QSlider*>("rfGainSlider");
        press(rf);
        // Ten moves 20 ms apart: 0, 20, ... 180 ms.
        for (int i = 0; i < 10; ++i) {
            rf->setSliderPosition(100 + 10 * i);
            f.clock.advance(0.02);
        }
        rf->setSliderPosition(200); // left here at 200 ms, between two paced values
        release(rf);
        f.clock.advance(1.0);
        const QList<RecordingLink::Sent>& sent = f.link.sent;
        QCOMPARE(sent.first().bytes, QByteArray("RG100;\r"));
        QCOMPARE(sent.last().bytes, QByteArray("RG200;\r"));
        for (qsizetype i = 1; i < sent.size(); ++i) {
            QVERIFY2(sent[i].seconds - sent[i - 1].seconds >= 0.1 - 1e-9,
                     qPrintable(QStringLiteral("%1 then %2 at %3 s and %4 s")
                                    .arg(sent[i - 1].bytes, sent[i].bytes)
                                    .arg(sent[i - 1].seconds)
                                    .arg(sent[i].seconds)));
            QVERIFY(sent[i].bytes != sent[i - 1].bytes);
        }
        // The first value at once, the value held at 100 ms and at 200 ms,
        // and the final one 100 ms later.
        QCOMPARE(f.link.bytes(), (QStringList{"RG100;\r", "RG140;\r", "RG190;\r", "RG200;\r"}));
        QCOMPARE(sent.last().seconds - sent.first().seconds, 0.3);
        QCOMPARE(f.window.findChild<QLabel*>("rfGainSent")->text(),
                 QStringLiteral("RF gain as sent: 200"));

        // A drag that ends where the last paced value was sends nothing more.
        f.link.sent.clear();
        f.clock.advance(1.0);
        press(rf);
        rf->setSliderPosition(210);
        f.clock.advance(0.03);
        rf->setSliderPosition(200);
        f.clock.advance(0.03);
        rf->setSliderPosition(210);
        release(rf);
        f.clock.advance(1.0);
        QCOMPARE(f.link.bytes(), (QStringList{"RG210;\r"}));
        QCOMPARE(f.clock.pendingAlarms(), 0);
    }

    // The presets send the power; in AM the carrier's limit is shown.
    void powerPresets()
    {
        Fixture f;
        f.add(powerSection);
        f.window.show();
        auto* note = f.window.findChild<QLabel*>("lblPowerNote");
        QVERIFY(note->isHidden());
        for (const char* name :
             {"cmdPower5", "cmdPower10", "cmdPower25", "cmdPower50", "cmdPower100"})
            QTest::mouseClick(f.window.findChild<QPushButton*>(name), Qt::LeftButton);
        QCOMPARE(f.link.bytes(),
                 (QStringList{"PC005;\r", "PC010;\r", "PC025;\r", "PC050;\r", "PC100;\r"}));
        QCOMPARE(f.told.last(), QStringLiteral("Power 100 watts as sent"));
        auto* power = f.window.findChild<QSlider*>("powerSlider");
        QCOMPARE(power->value(), 100);
        QCOMPARE(f.window.findChild<QLabel*>("powerSent")->text(),
                 QStringLiteral("Transmit power as sent: 100 W"));
        // Showing the preset on the slider sent nothing more.
        QCOMPARE(f.link.sent.size(), 5);

        f.context.carryOut(Station::selectMode(f.context.station(), Mode::AM));
        QVERIFY(!note->isHidden());
        QCOMPARE(note->text(), QStringLiteral("AM: the carrier is at most 25 W"));
        QTest::mouseClick(f.window.findChild<QPushButton*>("cmdPower50"), Qt::LeftButton);
        QCOMPARE(f.told.last(),
                 QStringLiteral("Power 50 watts as sent, AM: the carrier is at most 25 W"));
        f.context.carryOut(Station::selectMode(f.context.station(), Mode::USB));
        QVERIFY(note->isHidden());
    }

    // The filter list offers the mode as sent's filters and follows the mode.
    void filterFollowsTheMode()
    {
        Fixture f;
        f.add(filterSection);
        f.window.show();
        auto* list = f.window.findChild<QComboBox*>("cboFilter");
        f.context.carryOut(Station::selectMode(f.context.station(), Mode::CW));
        QVERIFY(list->isEnabled());
        QCOMPARE(list->count(), 11);
        QCOMPARE(list->currentIndex(), -1);
        QVERIFY(f.window.findChild<QLabel*>("lblFilterSent")->text().endsWith("not sent yet"));
        f.link.sent.clear();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down); // the first filter
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.link.bytes(), (QStringList{"FW0050;\r", "FW0080;\r"}));
        QCOMPARE(f.told.last(), QStringLiteral("Filter 80 Hz as sent"));

        f.context.carryOut(Station::selectMode(f.context.station(), Mode::LSB));
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentIndex(), -1);
        f.context.carryOut(Station::selectMode(f.context.station(), Mode::CW));
        QCOMPARE(list->currentText(), QStringLiteral("80 Hz"));
        QCOMPARE(f.window.findChild<QLabel*>("lblFilterSent")->text(),
                 QStringLiteral("CW filter as sent: 80 Hz"));
        QCOMPARE(f.link.bytes().size(), 4); // the two MD commands only
    }
};

QTEST_MAIN(TestLevelSections)
#include "tst_levelsections.moc"
