// What a screen reader hears: roles, names and descriptions as the
// accessibility interfaces give them to assistive technology.
#include "about/frmabout.h"
#include "app/form3.h"
#include "guides/form7.h"
#include "panelfixture.h"
#include "timeline.h"
#include "uitest.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QRadioButton>

namespace {
QAccessibleInterface* heard(QObject* object)
{
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
    if (!interface)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return interface;
}
} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    SparePort m_port;

private slots:
    // The twenty column buttons and the hundred memory buttons are one
    // exclusive group: every one of them is a radio button, checked when marked.
    void selectionButtonsAreRadioButtons()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QStringList column = {"m160",    "m80",     "m40",     "m30",       "m20",
                                    "m17",     "m15",     "m12",     "m10",       "LSB",
                                    "Option1", "Option2", "Option3", "Option4",   "Option5",
                                    "Option6", "Option7", "Option8", "Option110", "Option111"};
        for (const QString& name : column) {
            QAccessibleInterface* button = heard(panel.button(name));
            QCOMPARE(button->role(), QAccessible::RadioButton);
            QVERIFY2(button->state().checkable, qPrintable(name));
            QCOMPARE(button->state().checked, name == QLatin1String("Option6"));
        }
        QCOMPARE(heard(panel.button("m20"))->text(QAccessible::Name), QStringLiteral("20m"));
        QCOMPARE(heard(panel.button("Option110"))->text(QAccessible::Name), QStringLiteral("On"));
        int memories = 0;
        for (QRadioButton* memory : panel.window().findChildren<QRadioButton*>()) {
            QCOMPARE(heard(memory)->role(), QAccessible::RadioButton);
            ++memories;
        }
        QCOMPARE(memories, 100);
        // Push buttons stay push buttons.
        for (const char* push : {"Command1", "Command14", "Command18", "mhz10"})
            QCOMPARE(heard(panel.button(QLatin1String(push)))->role(), QAccessible::Button);

        // Pressing one through its accessible action is a click: it is marked
        // and sends its commands.
        QAccessibleInterface* band = heard(panel.button("m20"));
        QAccessibleActionInterface* actions = band->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QVERIFY(band->state().checked);
        QVERIFY(!heard(panel.button("Option6"))->state().checked);
    }

    // Each control says which frame it lies over.
    void controlsNameTheirFrame_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("frame");
        QTest::newRow("Tune Antenna") << "Command1"
                                      << "Settings";
        QTest::newRow("Scan On/Off") << "Command12"
                                     << "Settings";
        QTest::newRow("System Reset") << "Command18"
                                      << "Settings";
        QTest::newRow("Mem 00") << "Option9"
                                << "Memory Selection";
        QTest::newRow("Mem 03") << "Option108"
                                << "Memory Selection";
        QTest::newRow("Quick Memory Selection") << "QuickMemoryLabel"
                                                << "Memory Selection";
        QTest::newRow("160m") << "m160"
                              << "Bands";
        QTest::newRow("10m") << "m10"
                             << "Bands";
        QTest::newRow("LSB") << "LSB"
                             << "Modes";
        QTest::newRow("FSK") << "Option5"
                             << "Modes";
        QTest::newRow("VFO A") << "Option6"
                               << "Functions";
        QTest::newRow("Mem") << "Option8"
                             << "Functions";
        QTest::newRow("On") << "Option110"
                            << "Power";
        QTest::newRow("Off") << "Option111"
                             << "Power";
        QTest::newRow("Transmit") << "Command14"
                                  << "Transmission";
        QTest::newRow("VOX") << "Command16"
                             << "Transmission";
        QTest::newRow("5 MHz") << "Command2"
                               << "WWV";
        QTest::newRow("15 MHz") << "mhz15"
                                << "WWV";
    }

    void controlsNameTheirFrame()
    {
        QFETCH(QString, control);
        QFETCH(QString, frame);
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        auto* widget = panel.window().findChild<QWidget*>(control);
        QVERIFY(widget);
        QCOMPARE(heard(widget)->text(QAccessible::Description), frame);
    }

    // Every control that lies over a frame is described by it; the radio's
    // picture lies over none.
    void everyPanelControlIsDescribed()
    {
        TestEnvironment env;
        Timeline timeline;
        ShownPanel panel;
        const QStringList frames = {"Settings", "Memory Selection", "Bands", "Modes", "Functions",
                                    "Power",    "Transmission",     "WWV"};
        int described = 0;
        for (QAbstractButton* button : panel.window().findChildren<QAbstractButton*>()) {
            if (button->window() != &panel.window() || button->parentWidget()->inherits("QMenuBar"))
                continue;
            const QString description = heard(button)->text(QAccessible::Description);
            QVERIFY2(frames.contains(description),
                     qPrintable(button->objectName() + QStringLiteral(": ") + description));
            ++described;
        }
        QCOMPARE(described, 100 + 20 + 19);
        auto* picture = panel.window().findChild<QWidget*>(QStringLiteral("Picture1"));
        QCOMPARE(heard(picture)->text(QAccessible::Description), QString());
        QCOMPARE(heard(picture)->text(QAccessible::Name), QStringLiteral("Radio front panel"));
    }

    void aboutButtonIsReadWithoutItsAccessKeyMarker()
    {
        TestEnvironment env;
        frmAbout about;
        about.show();
        auto* sysInfo = about.findChild<QWidget*>(QStringLiteral("cmdSysInfo"));
        QCOMPARE(heard(sysInfo)->text(QAccessible::Name), QStringLiteral("System Info..."));
        QCOMPARE(heard(about.findChild<QWidget*>(QStringLiteral("cmdOK")))->text(QAccessible::Name),
                 QStringLiteral("OK"));
    }

    // Both stations have a "21395 kHz" and a "28650 kHz": each button says whose it is.
    void sarexButtonsNameTheirStation()
    {
        TestEnvironment env;
        Timeline timeline;
        Form7 sarex(m_port.lend());
        sarex.show();
        const struct {
            const char* name;
            const char* caption;
            const char* station;
        } buttons[] = {
            {"Command1", "3860 kHz", "WA3NAN, Goddard Amateur Radio Club"},
            {"Command2", "7185 kHz", "WA3NAN, Goddard Amateur Radio Club"},
            {"Command3", "14295 kHz", "WA3NAN, Goddard Amateur Radio Club"},
            {"Command4", "21395 kHz", "WA3NAN, Goddard Amateur Radio Club"},
            {"Command5", "28650 kHz", "WA3NAN, Goddard Amateur Radio Club"},
            {"Command6", "7225 kHz", "W5RRR, Johnson Space Center ARC"},
            {"Command7", "14280 kHz", "W5RRR, Johnson Space Center ARC"},
            {"Command8", "21395 kHz", "W5RRR, Johnson Space Center ARC"},
            {"Command9", "28650 kHz", "W5RRR, Johnson Space Center ARC"},
        };
        for (const auto& button : buttons) {
            QAccessibleInterface* entry =
                heard(sarex.findChild<QWidget*>(QLatin1String(button.name)));
            QCOMPARE(entry->role(), QAccessible::Button);
            QCOMPARE(entry->text(QAccessible::Name), QLatin1String(button.caption));
            QCOMPARE(entry->text(QAccessible::Description), QLatin1String(button.station));
        }
    }

    void settingsWindowIsADialog()
    {
        TestEnvironment env;
        auto* window = new Form3; // deletes itself when closed
        window->show();
        QAccessibleInterface* dialog = heard(window);
        QCOMPARE(dialog->role(), QAccessible::Dialog);
        QCOMPARE(dialog->text(QAccessible::Name), QStringLiteral("Communication Settings"));
        // Its options are still radio buttons within it.
        QAccessibleInterface* com2 = heard(window->findChild<QWidget*>(QStringLiteral("Com2")));
        QCOMPARE(com2->role(), QAccessible::RadioButton);
        window->handOver();
    }
};

QUILLARD_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
