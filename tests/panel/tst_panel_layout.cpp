// The main window as the operator first sees it: frames and controls at their
// places, captions and names for screen readers, the one selection group, the
// focus order, and a start-up that marks "VFO A" without sending anything.

#include "clock/testclock.h"
#include "panelfixture.h"
#include "projectversion.h"
#include "timeline.h"
#include "uitest.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>

namespace {
QRect onCanvas(QWidget* control)
{
    QWidget* canvas = control->window()->findChild<QWidget*>(QStringLiteral("Canvas"));
    return {control->mapTo(canvas, QPoint(0, 0)), control->size()};
}
} // namespace

class TestPanelLayout : public QObject {
    Q_OBJECT

private slots:
    void windowAndFrames()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        Form2& window = panel.window();
        QCOMPARE(window.windowTitle(), mainWindowTitle());
        QCOMPARE(window.centralWidget()->size(), QSize(598, 432));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));

        const struct {
            const char* name;
            const char* caption;
            QRect geometry;
            QColor background;
        } frames[] = {
            {"Frame3", "Settings", {5, 9, 84, 415}, {}},
            {"Frame5", "Memory Selection", {96, 123, 409, 265}, QColor(0, 0, 128)},
            {"Frame2", "Bands", {512, 4, 81, 168}, QColor(128, 0, 128)},
            {"Frame1", "Modes", {513, 176, 81, 117}, QColor(0, 128, 0)},
            {"Frame4", "Functions", {513, 297, 81, 73}, QColor(128, 0, 0)},
            {"Frame6", "Power", {513, 373, 81, 54}, QColor(0, 128, 128)},
            {"Frame7", "Transmission", {105, 392, 194, 37}, QColor(0, 192, 192)},
            {"Frame8", "WWV", {304, 392, 189, 37}, QColor(0, 192, 192)},
        };
        for (const auto& spec : frames) {
            auto* frame = window.findChild<QWidget*>(QLatin1String(spec.name));
            QVERIFY2(frame, spec.name);
            QCOMPARE(frame->geometry(), spec.geometry);
            QCOMPARE(frame->accessibleName(), QLatin1String(spec.caption));
            // The frame paints its colour inside its border, behind the controls.
            const QColor expected = spec.background.isValid()
                                        ? spec.background
                                        : frame->palette().color(QPalette::Button);
            const QImage image = frame->grab().toImage();
            QCOMPARE(image.pixelColor(2, image.height() - 3), expected);
        }
    }

    // Each frame's buttons stack in their order right below its caption,
    // without gaps, and stay inside the frame.
    void buttonsStackInTheirFrames_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("Settings") << "Frame3" << QStringList{"Tune Antenna",     "Antenna 1",
                                                             "Antenna 2",        "Frequency  Up",
                                                             "Frequency Down",   "Freq Lock",
                                                             "Speech Processor", "Preamplifier",
                                                             "Noice Reduction",  "Noice Blanker",
                                                             "RF Attenuator",    "Scan On/Off"}
                                  << QSize(73, 30) << true;
        QTest::newRow("Bands") << "Frame2" << QStringList{"160m", "80m", "40m", "30m", "20m",
                                                          "17m",  "15m", "12m", "10m"}
                               << QSize(61, 17) << true;
        QTest::newRow("Modes") << "Frame1" << QStringList{"LSB", "USB", "CW", "FM", "AM", "FSK"}
                               << QSize(61, 17) << true;
        QTest::newRow("Functions")
            << "Frame4" << QStringList{"VFO A", "VFO B", "Mem"} << QSize(61, 17) << true;
        QTest::newRow("Power") << "Frame6" << QStringList{"On", "Off"} << QSize(61, 17) << true;
        QTest::newRow("Transmission")
            << "Frame7" << QStringList{"Transmit", "Receive", "VOX"} << QSize(59, 18) << false;
        QTest::newRow("WWV") << "Frame8" << QStringList{"5 MHz", "10 MHz", "15 MHz"}
                             << QSize(58, 18) << false;
    }

    void buttonsStackInTheirFrames()
    {
        QFETCH(QString, frame);
        QFETCH(QStringList, captions);
        QFETCH(QSize, size);
        QFETCH(bool, vertical);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QRect frameArea = panel.window().findChild<QWidget*>(frame)->geometry();
        QList<QAbstractButton*> all = panel.window().findChildren<QAbstractButton*>();
        QRect previous;
        for (const QString& caption : captions) {
            QAbstractButton* button = nullptr;
            for (QAbstractButton* candidate : all)
                button = candidate->text() == caption ? candidate : button;
            QVERIFY2(button, qPrintable(caption));
            QCOMPARE(button->accessibleName(), caption);
            const QRect place = onCanvas(button);
            QCOMPARE(place.size(), size);
            QVERIFY2(frameArea.contains(place), qPrintable(caption));
            if (previous.isNull()) {
                // Right below the caption band.
                const int offset = place.top() - frameArea.top();
                QVERIFY2(offset >= 10 && offset <= 20, qPrintable(QString::number(offset)));
            } else if (vertical) {
                QCOMPARE(place.top(), previous.bottom() + 1);
                QCOMPARE(place.left(), previous.left());
            } else {
                QCOMPARE(place.left(), previous.right() + 1);
                QCOMPARE(place.top(), previous.top());
            }
            previous = place;
        }
    }

    void selectionButtonLooks()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QAbstractButton* band = panel.button("m20");
        QCOMPARE(band->font().family(), QStringLiteral("MS Sans Serif"));
        QVERIFY(band->font().bold());
        // The design's 8.25 points at most: where the face at hand is wider it
        // is condensed or made smaller until the captions fit (tst_captions).
        QVERIFY2(band->font().pointSizeF() <= 8.25 && band->font().pointSizeF() > 4,
                 qPrintable(QString::number(band->font().pointSizeF())));
        QCOMPARE(band->palette().color(QPalette::Button), QColor(128, 0, 128));
        QCOMPARE(band->palette().color(QPalette::ButtonText), QColor(Qt::white));
        auto* memory = qobject_cast<QRadioButton*>(panel.button("Option9"));
        QVERIFY(memory);
        QCOMPARE(memory->font().family(), QStringLiteral("Tahoma"));
        QVERIFY(!memory->font().bold());
        QCOMPARE(memory->palette().color(QPalette::WindowText), QColor(255, 255, 128));

        // Push buttons keep the platform's font, those inside frames too.
        for (const char* push : {"Command14", "mhz10", "Command18"}) {
            const QFont font = panel.button(QLatin1String(push))->font();
            QCOMPARE(font.family(), QApplication::font().family());
            QVERIFY2(!font.bold(), push);
        }

        // Only the three "WWV" buttons and "System Reset" sit inside frames.
        QCOMPARE(panel.button("mhz10")->parentWidget()->objectName(), QStringLiteral("Frame8"));
        QCOMPARE(panel.button("Command18")->parentWidget()->objectName(), QStringLiteral("Frame3"));
        QCOMPARE(panel.button("Command18")->size(), QSize(73, 33));
        QCOMPARE(panel.button("Command18")->toolTip(),
                 QStringLiteral("System Reset (Full or Partial)"));
        QCOMPARE(panel.button("m20")->parentWidget()->objectName(), QStringLiteral("Canvas"));

        auto* picture = panel.window().findChild<QWidget*>("Picture1");
        QCOMPARE(picture->geometry(), QRect(175, 4, 251, 116));
        QCOMPARE(picture->accessibleName(), QStringLiteral("Radio front panel"));
    }

    void memoryGrid()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QRect frameArea = panel.window().findChild<QWidget*>("Frame5")->geometry();
        QRect byChannel[100];
        for (QAbstractButton* button : panel.window().findChildren<QRadioButton*>()) {
            const int channel = button->text().mid(4).toInt();
            byChannel[channel] = onCanvas(button);
            QCOMPARE(byChannel[channel].size(), QSize(57, 17));
            QVERIFY2(frameArea.contains(byChannel[channel]), qPrintable(button->text()));
        }
        for (int channel = 0; channel < 100; ++channel) {
            const QRect& first = byChannel[channel - channel % 15];
            QCOMPARE(byChannel[channel].left(), byChannel[0].left() + channel / 15 * 57);
            QCOMPARE(byChannel[channel].top(), first.top() + channel % 15 * 17);
        }
        QCOMPARE(panel.button("Option108")->text(), QStringLiteral("Mem 03"));
        auto* label = panel.window().findChild<QLabel*>("QuickMemoryLabel");
        QCOMPARE(label->text(), QStringLiteral("Quick Memory Selection"));
        const QRect labelArea = onCanvas(label);
        QVERIFY(labelArea.top() > byChannel[99].bottom());
        QVERIFY(labelArea.left() >= byChannel[99].left() - 2);
        QVERIFY(frameArea.contains(labelArea));
    }

    void oneGroupOfAllSelectionButtons()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QList<QAbstractButton*> group = panel.window().selectionGroup().buttons();
        QCOMPARE(group.size(), 120);
        for (const char* push : {"Command1", "Command2", "Command14", "Command16", "Command18"})
            QVERIFY(!group.contains(panel.button(QLatin1String(push))));
        // Every control is announced by its caption.
        for (QAbstractButton* button : panel.window().findChildren<QAbstractButton*>())
            QCOMPARE(button->accessibleName(), button->text());
    }

    // Real Tab presses walk the order; each selection button that the focus
    // reaches is marked and acts, as it would for the operator.
    void focusOrder()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QStringList expected = {"VFO A", "VFO B", "Mem", "Mem 00", "Mem 01", "Mem 02"};
        for (int channel = 4; channel < 100; ++channel)
            expected << QStringLiteral("Mem %1").arg(channel, 2, 10, QLatin1Char('0'));
        expected << "Mem 03"
                 << "On"
                 << "Off"
                 << "Transmit"
                 << "Receive"
                 << "VOX"
                 << "160m"
                 << "80m"
                 << "40m"
                 << "30m"
                 << "20m"
                 << "17m"
                 << "15m"
                 << "12m"
                 << "10m"
                 << "FSK"
                 << "AM"
                 << "FM"
                 << "CW"
                 << "USB"
                 << "LSB"
                 << "Antenna 2"
                 << "Scan On/Off"
                 << "RF Attenuator"
                 << "Noice Blanker"
                 << "Noice Reduction"
                 << "Preamplifier"
                 << "Speech Processor"
                 << "Freq Lock"
                 << "Frequency Down"
                 << "Frequency  Up"
                 << "Antenna 1"
                 << "Tune Antenna"
                 << "System Reset"
                 << "Radio front panel"
                 << "5 MHz"
                 << "10 MHz"
                 << "15 MHz"
                 << "VFO A";
        QStringList visited;
        QApplication::setActiveWindow(&panel.window());
        for (qsizetype step = 0; step < expected.size(); ++step) {
            QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus);
            visited << focus->accessibleName();
            if (step + 1 < expected.size())
                QTest::keyClick(focus, Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
        // The memory buttons acted as the focus reached them: "Mem 03" last.
        const QStringList events = timeline.events();
        QVERIFY(events.contains("MC 99;"));
        QCOMPARE(events.indexOf("MC 03;"), events.indexOf("MC 99;") + 2);
        // Focus on push buttons does nothing: after "LSB" the next to act is
        // "VFO A", reached again at the end.
        QCOMPARE(events.mid(events.indexOf("MD1;")), QStringList({"MD1;", "FR0;", "cue:vfoa.wav"}));
        QCOMPARE(panel.marked(), QStringLiteral("Option6"));
    }

    // The window opens with "VFO A" marked and focused, and nothing is sent or
    // played; the flag that absorbed that selection is cleared.
    void startupMarksVfoAQuietly()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        QCOMPARE(panel.marked(), QStringLiteral("Option6"));
        QVERIFY(panel.button("Option6")->hasFocus());
        QVERIFY(!panel.state().startupSelectionPending);
        QCOMPARE(panel.state().vfo, VfoChoice::NotChosen);
        QCOMPARE(timeline.events(), QStringList());
        QVERIFY(panel.window().link().isOpen());
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // The real order: the load sequence (splash, waits, Online cue), then the
    // first showing and activation.
    void startupAfterLoadSequence()
    {
        TestEnvironment env;
        TestClock clock;
        Timeline timeline;
        Form2 window;
        window.Form_Load();
        QVERIFY(window.state().startupSelectionPending);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(window.link().isOpen());
        QCOMPARE(window.selectionGroup().marked()->objectName(), QStringLiteral("Option6"));
        QVERIFY(!window.state().startupSelectionPending);
        QCOMPARE(timeline.events(), QStringList{"cue:Online.wav"});
        window.findChild<QAbstractButton*>("Option7")->click();
        window.findChild<QAbstractButton*>("Option6")->click();
        QCOMPARE(timeline.events(),
                 QStringList({"cue:Online.wav", "FR1;", "cue:vfob.wav", "FR0;", "cue:vfoa.wav"}));
    }
};

QUILLARD_TEST_MAIN(TestPanelLayout)
#include "tst_panel_layout.moc"
