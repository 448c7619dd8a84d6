#include "panel/form2.h"

#include "timeline.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QFile>

// The main window's link: opened by activation, never by loading, left alone
// while open, and a port that will not open is reported once, not at every
// activation that the message box itself causes.
class TestMainWindowLink : public QObject {
    Q_OBJECT

private slots:
    void activationOpensOnlyWhenClosed()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 form;
        QVERIFY(!form.link().isOpen());
        form.Form_Activate();
        QVERIFY(form.link().isOpen());

        // An open port is not touched again: what the radio sent and nobody
        // has drained yet is still waiting, so the port was not reopened.
        timeline.radioSends("ID018;");
        QTRY_COMPARE(form.link().inBufferCount(), 6);
        form.Form_Activate();
        QVERIFY(form.link().isOpen());
        QCOMPARE(form.link().inBufferCount(), 6);

        // After the hand-over closed it, the next activation opens it again
        // and commands flow; the radio's answer is drained after each one.
        form.link().closeLink();
        form.Form_Activate();
        QVERIFY(form.link().isOpen());
        form.link().sendCommand(CatCommand::receiveOn(Receiver::VfoB));
        timeline.radioSends("FR1;");
        form.link().sendCommand(CatCommand::frequency(Vfo::B, 7000000));
        QCOMPARE(timeline.events(), QStringList({"FR1;", "FB00007000000;"}));
        QTRY_COMPARE(form.link().inBufferCount(), 0);
        QVERIFY(MessageBox::takeShown().isEmpty());
    }

    // Under Wayland the compositor may never activate the main window. Its
    // link still names the port, and the operator's first click opens it and
    // goes out; nothing went out before.
    void firstClickOpensTheLinkOfAWindowNeverActivated()
    {
        TestEnvironment env;
        Timeline timeline;
        Form2 form;
        form.port().readSettings();
        QVERIFY(!form.link().isOpen());
        QCOMPARE(form.link().portDescription(), "Serial port 1 (" + timeline.linkPath() + ")");
        auto* transmit = form.findChild<QAbstractButton*>(QStringLiteral("Command14"));
        QVERIFY(transmit);
        QVERIFY(timeline.events().isEmpty());
        transmit->click();
        QVERIFY(form.link().isOpen());
        QCOMPARE(timeline.events(), QStringList({"TX;"}));
        QVERIFY(boxesShownAfterHandlers().isEmpty());
        // An activation now finds the port open and leaves it as it is.
        timeline.radioSends("ID018;");
        QTRY_COMPARE(form.link().inBufferCount(), 6);
        form.Form_Activate();
        QCOMPARE(form.link().inBufferCount(), 6);
    }

    void failingPortIsReportedOncePerReason()
    {
        TestEnvironment env;
        env.writeSettings("1\r\n9600\r\n");
        const QString com1 = env.settingsDir() + QStringLiteral("/com1");
        QVERIFY(QFile::link(QStringLiteral("/nonexistent/ttyUSB0"), com1));
        Form2 form;
        for (int activation = 0; activation < 5; ++activation) {
            form.Form_Activate();
            QCoreApplication::processEvents(); // where the box would cause the next activation
        }
        QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains("Serial port 1 (" + com1 + ")") &&
                     shown[0].text.contains("/nonexistent/ttyUSB0"),
                 qPrintable(shown[0].text));
        QCOMPARE(shown[0].icon, QMessageBox::Warning);

        // A click still tells the operator that nothing reached the radio.
        form.link().sendCommand(CatCommand::mode(Mode::CW));
        shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].text.contains("Not sent to the radio: MD3;"));

        // Once the cable is back, the next activation opens without a word.
        QFile::remove(com1);
        Timeline timeline;
        form.Form_Activate();
        QVERIFY(form.link().isOpen());
        QVERIFY(boxesShownAfterHandlers().isEmpty());
    }
};

QUILLARD_TEST_MAIN(TestMainWindowLink)
#include "tst_mainwindowlink.moc"
