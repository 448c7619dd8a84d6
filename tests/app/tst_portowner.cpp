// The port owner: the main window's link opens at activation with the
// settings read at its load; a lease closes it for another window, which opens
// its own link from the settings file read afresh; the main link opens again
// only after the lease has ended. Settings problems are worded and shown here.

#include "app/portowner.h"

#include "timeline.h"
#include "uitest.h"

#include <QSignalSpy>
#include <QWidget>

namespace {
QString settingsFile(const TestEnvironment& env)
{
    return env.settingsDir() + QStringLiteral("/qd.cfg");
}
} // namespace

class TestPortOwner : public QObject {
    Q_OBJECT

private slots:
    void mainLinkOpensAtActivationAndIsLeftAloneWhileOpen()
    {
        TestEnvironment env;
        Timeline timeline;
        QWidget window;
        SerialLink main;
        PortOwner owner(main, &window);
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
        QCOMPARE(main.settings().baud, "9600");
    }

    void leaseClosesTheMainLinkUntilItEnds()
    {
        TestEnvironment env;
        Timeline timeline;
        QWidget window;
        SerialLink main;
        PortOwner owner(main, &window);
        owner.activate();
        QVERIFY(main.isOpen());
        env.writeSettings("1\r\n4800\r\n");
        {
            SerialLink borrowed;
            PortLease lease = owner.lend();
            QVERIFY(!main.isOpen());
            QVERIFY(owner.isLent());
            lease.openAtLoad(borrowed, &window);
            QVERIFY(borrowed.isOpen());
            QCOMPARE(borrowed.settings().baud, "4800"); // read afresh at the load
            // An activation while the port is lent out leaves it to the borrower.
            owner.activate();
            QVERIFY(!main.isOpen());
            QVERIFY(borrowed.sendCommand(CatCommand::mode(Mode::CW)));
        } // the borrower's window goes: its link and the lease with it
        QVERIFY(!owner.isLent());
        owner.activate();
        QVERIFY(main.isOpen());
        QCOMPARE(main.settings().baud, "9600");
        QVERIFY(main.sendCommand(CatCommand::frequency(Vfo::A, 7000000)));
        QCOMPARE(timeline.events(), QStringList({"MD3;", "FA00007000000;"}));
    }

    // The lease lets go of the borrowed link when it ends, whether or not the
    // window closed its link itself.
    void endingTheLeaseReleasesTheBorrowedPort()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink main;
        PortOwner owner(main, nullptr);
        SerialLink borrowed;
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
        SerialLink main;
        PortOwner owner(main, &window);
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
            SerialLink borrowed;
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

    void missingSettingsFileAtALoadIsNamed()
    {
        TestEnvironment env;
        QWidget guide;
        SerialLink main;
        PortOwner owner(main, nullptr);
        SerialLink borrowed;
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
