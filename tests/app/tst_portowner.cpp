// The port owner: the main window's link opens at activation with the
// settings read at its load; a lease closes it for another window, which opens
// its own link from the settings file read afresh; the main link opens again
// only after the lease has ended. Settings problems are worded and shown here.

#include "app/portmessages.h"
#include "session/portowner.h"

#include "platform/fakemachine.h"
#include "radio/pseudoterminal.h"
#include "timeline.h"
#include "uitest.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QWidget>

namespace {
QString settingsFile(const TestEnvironment& env)
{
    return env.settingsDir() + QStringLiteral("/qd.cfg");
}

// The main window's part in owning the port, without the window's controls.
struct MainWindowStandIn {
    QWidget window;
    PortLink mainLink;
    PortOwner owner{mainLink, &window};
    PortMessages messages{owner};
    RadioLink& link = owner.sender();
};
} // namespace

class TestPortOwner : public QObject {
    Q_OBJECT

private slots:
    void mainLinkOpensAtActivationAndIsLeftAloneWhileOpen()
    {
        TestEnvironment env;
        Timeline timeline;
        QWidget window;
        PortLink main;
        PortOwner owner(main, &window);
        PortMessages messages(owner);
        owner.readSettings();
        QVERIFY(!main.isOpen()); // reading is not opening
        owner.activate();
        QVERIFY(main.isOpen());
        QCOMPARE(main.portDescription(), "Serial port 1 (" + timeline.linkPath() + ")");

        // The file is read at the load only: a changed file does not reach
        // the main window, and an open port is not touched again.
        env.writeSettings("1\r\n4800\r\n");
        timeline.radioSends("ID018;");
        QTRY_COMPARE(main.inBufferCount(), 6);
        owner.activate();
        QCOMPARE(main.inBufferCount(), 6);
        QCOMPARE(main.settings().baud, 9600);
    }

    void leaseClosesTheMainLinkUntilItEnds()
    {
        TestEnvironment env;
        Timeline timeline;
        QWidget window;
        PortLink main;
        PortOwner owner(main, &window);
        PortMessages messages(owner);
        owner.activate();
        QVERIFY(main.isOpen());
        env.writeSettings("1\r\n4800\r\n");
        {
            PortLink borrowed;
            PortLease lease = owner.lend();
            QVERIFY(!main.isOpen());
            QVERIFY(owner.isLent());
            lease.openAtLoad(borrowed, &window);
            QVERIFY(borrowed.isOpen());
            QCOMPARE(borrowed.settings().baud, 4800); // read afresh at the load
            // An activation while the port is lent out leaves it to the borrower.
            owner.activate();
            QVERIFY(!main.isOpen());
            QVERIFY(borrowed.sendCommand(CatCommand::mode(Mode::CW)));
        } // the borrower's window goes: its link and the lease with it
        QVERIFY(!owner.isLent());
        owner.activate();
        QVERIFY(main.isOpen());
        QCOMPARE(main.settings().baud, 9600);
        QVERIFY(main.sendCommand(CatCommand::frequency(Vfo::A, 7000000)));
        QCOMPARE(timeline.events(), QStringList({"MD3;", "FA00007000000;"}));
    }

    // The lease lets go of the borrowed link when it ends, whether or not the
    // window closed its link itself.
    void endingTheLeaseReleasesTheBorrowedPort()
    {
        TestEnvironment env;
        Timeline timeline;
        PortLink main;
        PortOwner owner(main, nullptr);
        PortMessages messages(owner);
        PortLink borrowed;
        {
            PortLease lease = owner.lend();
            lease.openAtLoad(borrowed, nullptr);
            QVERIFY(borrowed.isOpen());
        }
        QVERIFY(!borrowed.isOpen());
        owner.activate();
        QVERIFY(main.isOpen());
    }

    // A damaged file: named, quoted and never touched; the main window shows
    // it once for the whole run, a borrowing window once for each opening, and
    // every command says why it was not sent.
    void damagedSettingsAreShownOncePerWindow_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("port");
        QTest::newRow("port abc") << QByteArray("abc\r\n9600\r\n")
                                  << "the port number \"abc\" on its first line is not a number "
                                     "from 1 to 255"
                                  << "Serial port \"abc\"";
        QTest::newRow("baud 12345") << QByteArray("1\r\n12345\r\n")
                                    << "the baud rate \"12345\" on its second line is not a rate "
                                       "a serial port takes"
                                    << "Serial port 1 (/dev/ttyS0)";
        QTest::newRow("empty") << QByteArray() << "it is empty"
                               << "The serial port";
        QTest::newRow("one line")
            << QByteArray("2\r\n")
            << "it has only one line; it needs the port number and the baud rate"
            << "Serial port 2 (/dev/ttyS1)";
        // Garbage is quoted only by a short excerpt, its control bytes shown as codes.
        QTest::newRow("3,000 bytes of garbage on the first line")
            << "\x1b[31m\x01" + QByteArray(2994, 'x') + "\r\n9600\r\n"
            << "the port number \"\\x1B[31m\\x01xxxxxxxxxxxxxxxxxx...\" (3000 characters) on "
               "its first line is not a number from 1 to 255"
            << "Serial port \"\\x1B[31m\\x01xxxxxxxxxxxxxxxxxx...\"";
        QTest::newRow("3,000 blanks before a usable baud rate")
            << "1\r\n" + QByteArray(3000, ' ') + "9600x\r\n"
            << "the baud rate \"                        ...\" (3005 characters) on its second "
               "line is not a rate a serial port takes"
            << "Serial port 1 (/dev/ttyS0)";
    }

    void damagedSettingsAreShownOncePerWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, why);
        QFETCH(QString, port);
        TestEnvironment env;
        env.writeSettings(file);
        const QString path = settingsFile(env);
        const QString advice =
            "To choose the port and baud rate again, delete " + path + " and start Quillard.";
        const QString problem =
            "The settings file " + path + " cannot be used: " + why + ". " + advice;
        QWidget window;
        PortLink main;
        PortOwner owner(main, &window);
        PortMessages messages(owner);
        owner.readSettings();
        for (int activation = 0; activation < 3; ++activation)
            owner.activate();
        QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, problem);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QVERIFY(!main.isOpen());

        main.sendCommand(CatCommand::transmit());
        shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "Not sent to the radio: TX;\n" + port +
                                    " cannot be opened: the settings file " + path +
                                    " cannot be used: " + why + ". " + advice);

        for (int opening = 0; opening < 2; ++opening) {
            QWidget guide;
            PortLink borrowed;
            PortLease lease = owner.lend();
            lease.openAtLoad(borrowed, &guide);
            QVERIFY(!borrowed.isOpen());
            shown = boxesShownAfterHandlers();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, problem);
        }
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), file);
    }

    // A settings file that cannot be read at all: the click's message says so
    // in place of a port it cannot name.
    void unreadableSettingsFileIsNamedByEveryMessage()
    {
        TestEnvironment env;
        const QString path = settingsFile(env);
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be
        MainWindowStandIn main;
        main.owner.readSettings();
        main.owner.activate();
        const QString fault = "the settings file " + path +
                              " cannot be read (file to open is a directory). To choose the port "
                              "and baud rate again, delete " +
                              path + " and start Quillard.";
        QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "T" + fault.mid(1));
        main.link.sendCommand(CatCommand::transmit());
        shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text,
                 "Not sent to the radio: TX;\nThe serial port cannot be opened: " + fault);
    }

    // Some window systems never activate the main window: its link names the
    // port from the moment the settings are read, and the first command opens
    // it (nothing goes out before). While the port is lent out it stays closed.
    void commandOpensTheMainLinkNeverActivated()
    {
        TestEnvironment env;
        Timeline timeline;
        MainWindowStandIn main;
        main.owner.readSettings();
        QCOMPARE(main.link.portDescription(), "Serial port 1 (" + timeline.linkPath() + ")");
        QVERIFY(!main.link.isOpen());
        QVERIFY(timeline.events().isEmpty());
        QVERIFY(main.link.sendCommand(CatCommand::receiveOn(Receiver::VfoB)));
        QVERIFY(main.link.isOpen());
        QCOMPARE(timeline.events(), QStringList({"FR1;"}));
        QVERIFY(boxesShownAfterHandlers().isEmpty());

        {
            PortLease lease = main.owner.lend();
            QVERIFY(!main.link.sendCommand(CatCommand::transmit()));
            QVERIFY(!main.link.isOpen());
            const QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].text, "Not sent to the radio: TX;\nSerial port 1 (" +
                                        timeline.linkPath() + ") is not open.");
        }
        QVERIFY(main.link.sendCommand(CatCommand::receive()));
        QCOMPARE(timeline.events(), QStringList({"FR1;", "RX;"}));
    }

    // Com1 cannot be opened because /dev/ttyS0 is missing or has no UART,
    // and USB serial adapters are plugged in: the message offers each by its
    // by-id name, and Yes links Com1 to it and opens the port.
    void offerToLinkThePortToAnAdapter_data()
    {
        QTest::addColumn<int>("uartType"); // -1: no ttyS0 at all
        QTest::addColumn<QStringList>("adapters");
        QTest::addColumn<QList<int>>("answers"); // QMessageBox::StandardButton, in order
        QTest::addColumn<int>("linkedTo");       // the adapter linked, or -1
        const QStringList one{"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0"};
        const QStringList two{"usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                              "usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0"};
        QTest::newRow("missing, Yes") << -1 << one << QList<int>{QMessageBox::Yes} << 0;
        QTest::newRow("no UART, Yes") << 0 << one << QList<int>{QMessageBox::Yes} << 0;
        QTest::newRow("missing, No") << -1 << one << QList<int>{QMessageBox::No} << -1;
        QTest::newRow("two adapters, No then Yes")
            << 0 << two << QList<int>{QMessageBox::No, QMessageBox::Yes} << 1;
        QTest::newRow("two adapters, No to both")
            << -1 << two << QList<int>{QMessageBox::No, QMessageBox::No} << -1;
    }

    void offerToLinkThePortToAnAdapter()
    {
        QFETCH(int, uartType);
        QFETCH(QStringList, adapters);
        QFETCH(QList<int>, answers);
        QFETCH(int, linkedTo);
        TestEnvironment env;
        env.writeSettings("1\r\n9600\r\n");
        FakeMachine machine;
        if (uartType >= 0)
            machine.builtInPort(0, uartType);
        std::vector<std::unique_ptr<PseudoTerminal>> radios;
        for (const QString& name : adapters) {
            radios.push_back(std::make_unique<PseudoTerminal>());
            machine.adapter(name, radios.back()->devicePath());
        }
        const QString ttyS0 = machine.dev("ttyS0");
        const QString com1 = env.settingsDir() + "/com1";
        const QString failure =
            uartType < 0
                ? "Serial port 1 (" + ttyS0 + ") cannot be opened: the device " + ttyS0 +
                      " does not exist. Connect the radio's cable, or link the port to your "
                      "serial device, for example: ln -s /dev/ttyUSB0 " +
                      com1
                : "Serial port 1 (" + ttyS0 + ") cannot be opened: " + ttyS0 +
                      " (/dev/null) has no serial port hardware behind it (Linux found no UART "
                      "there). Use a port that exists, or link the port to your serial device, "
                      "for example: ln -s /dev/ttyUSB0 " +
                      com1;

        MainWindowStandIn main;
        main.owner.readSettings();
        for (int answer : answers)
            MessageBox::setNextAnswer(QMessageBox::StandardButton(answer));
        main.owner.activate();
        const QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), answers.size());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QString which =
                adapters.size() == 1
                    ? QStringLiteral("A USB serial adapter is plugged in")
                    : QStringLiteral("USB serial adapter %1 of %2").arg(i + 1).arg(adapters.size());
            QCOMPARE(shown[i].text, failure + "\n\n" + which + ": " + adapters[i] + " (now " +
                                        radios[i]->devicePath() +
                                        ").\n\nLink Com1 to it? Quillard then makes the link " +
                                        com1 + " to " + machine.byId(adapters[i]) +
                                        " and opens the port.");
            QCOMPARE(shown[i].buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(shown[i].icon, QMessageBox::Warning);
        }

        if (linkedTo < 0) {
            QVERIFY(!QFileInfo(com1).isSymLink());
            QVERIFY(!main.link.isOpen());
            // Offered once: the next activation does not ask again.
            main.owner.activate();
            QVERIFY(boxesShownAfterHandlers().isEmpty());
            return;
        }
        QCOMPARE(QFileInfo(com1).symLinkTarget(), machine.byId(adapters[linkedTo]));
        QVERIFY(main.link.isOpen());
        QVERIFY(main.link.sendCommand(CatCommand::transmit()));
        QTRY_COMPARE(radios[linkedTo]->raw(), QByteArray("TX;\r"));
        QVERIFY(boxesShownAfterHandlers().isEmpty());
    }

    // Without an adapter to offer, the failure is the plain message.
    void noOfferWithoutAnAdapter()
    {
        TestEnvironment env;
        env.writeSettings("1\r\n9600\r\n");
        FakeMachine machine;
        MainWindowStandIn main;
        main.owner.activate();
        const QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(shown[0].text.startsWith("Serial port 1 (" + machine.dev("ttyS0") +
                                          ") cannot be opened: the device"),
                 qPrintable(shown[0].text));
    }

    void missingSettingsFileAtALoadIsNamed()
    {
        TestEnvironment env;
        QWidget guide;
        PortLink main;
        PortOwner owner(main, nullptr);
        PortMessages messages(owner);
        PortLink borrowed;
        PortLease lease = owner.lend();
        lease.openAtLoad(borrowed, &guide);
        const QList<MessageBox::Shown> shown = boxesShownAfterHandlers();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, "The settings file " + settingsFile(env) +
                                    " cannot be read (No such file or directory). To choose the "
                                    "port and baud rate again, delete " +
                                    settingsFile(env) + " and start Quillard.");
    }
};

QUILLARD_TEST_MAIN(TestPortOwner)
#include "tst_portowner.moc"
