// The port owner without a window system: what it raises (problems for the
// window they concern, offers to link the port), when it raises them, and the
// main window's sender, which opens the port for a command that finds it
// closed but never takes it from a borrower.

#include "platform/fakemachine.h"
#include "radio/daemonprocess.h"
#include "radio/pseudoterminal.h"
#include "radio/ts570standin.h"
#include "session/cues.h"
#include "session/portlink.h"
#include "session/portowner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
// A settings folder of the test's own (XDG_CONFIG_HOME) for as long as this lives.
class SettingsFolder {
public:
    SettingsFolder() : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        QDir().mkpath(path());
    }
    ~SettingsFolder()
    {
        if (m_old.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_old);
    }
    QString path() const { return m_dir.path() + QStringLiteral("/quillard"); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path() + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

// Everything the owner raised, in order.
struct Heard {
    struct Problem {
        QObject* window;
        QString message;
    };
    QList<Problem> problems;
    QList<QList<LinkOffer>> offers;

    explicit Heard(PortOwner& owner)
    {
        QObject::connect(&owner, &PortOwner::problem, &owner,
                         [this](QObject* window, const QString& message) {
                             problems.append({window, message});
                         });
        QObject::connect(
            &owner, &PortOwner::linkOffered, &owner,
            [this](QObject*, const QList<LinkOffer>& offered) { offers.append(offered); });
    }
};
} // namespace

class TestPortSession : public QObject {
    Q_OBJECT

private slots:
    // com1.conf names rigctld: the main window's commands, a borrowing
    // window's and the main window's again after the hand-over all reach the
    // radio through it, in order; a damaged com1.conf refuses commands in
    // the file's own words, and the serial port is not tried behind it.
    void portThroughRigctld()
    {
        SettingsFolder settings;
        Ts570StandIn radio;
        DaemonProcess rigctld;
        QVERIFY(rigctld.startRigctld(radio.devicePath()));
        settings.write("qd.cfg", "1\r\n9600\r\n");
        settings.write("com1.conf",
                       "via=rigctld\nport=" + QByteArray::number(rigctld.port()) + "\n");
        QObject window;
        PortLink main;
        PortOwner owner(main, &window);
        Heard heard(owner);
        owner.readSettings();
        QCOMPARE(main.portDescription(),
                 QStringLiteral("Port 1 through rigctld at 127.0.0.1:%1").arg(rigctld.port()));
        QVERIFY(owner.sender().sendCommand(CatCommand::recallMemory(5)));
        QVERIFY(owner.sender().sendCommand(CatCommand::frequency(Vfo::A, 14000000)));
        QTRY_COMPARE(radio.framedCommands(), (QStringList{"MC 05;", "FA00014000000;"}));
        {
            PortLease lease = owner.lend();
            PortLink borrowed;
            lease.openAtLoad(borrowed, &window);
            QVERIFY(borrowed.sendCommand(
                *CatCommand::memoryWrite(0, QStringLiteral("0700000"), QStringLiteral("1"))));
            QTRY_COMPARE(radio.framedCommands().size(), 3);
        }
        owner.activate();
        QVERIFY(owner.sender().sendCommand(CatCommand::partialReset()));
        QTRY_COMPARE(radio.framedCommands(),
                     (QStringList{"MC 05;", "FA00014000000;", "MW0 000000700000010001 ;", "SR1;"}));
        QCoreApplication::processEvents();
        QVERIFY(heard.problems.isEmpty());

        settings.write("com1.conf", "via=rigctl\n");
        PortLink other;
        PortOwner second(other, &window);
        Heard heardSecond(second);
        second.readSettings();
        QVERIFY(!second.sender().sendCommand(CatCommand::transmit()));
        QCoreApplication::processEvents();
        QCOMPARE(heardSecond.problems.size(), 1);
        QVERIFY2(
            heardSecond.problems[0].message.contains(
                "Not sent to the radio: TX;\nSerial port 1 (/dev/ttyS0) cannot be opened: In " +
                settings.path() + "/com1.conf, via=rigctl is not usable"),
            qPrintable(heardSecond.problems[0].message));
    }

    void senderOpensTheMainLinkUnlessTheBorrowerHasIt()
    {
        SettingsFolder settings;
        PseudoTerminal radio;
        const QString com1 = settings.path() + "/com1";
        QVERIFY(QFile::link(radio.devicePath(), com1));
        settings.write("qd.cfg", "1\r\n9600\r\n");
        QObject window;
        PortLink main;
        PortOwner owner(main, &window);
        Heard heard(owner);
        owner.readSettings();
        QVERIFY(!main.isOpen());

        // A command the radio would not take is refused without opening the port.
        const CatCommand invalid = CatCommand::recallMemory(100);
        QVERIFY(!invalid.isValid());
        QVERIFY(!owner.sender().sendCommand(invalid));
        QVERIFY(!main.isOpen());
        QCoreApplication::processEvents();
        QCOMPARE(heard.problems.size(), 1);
        QCOMPARE(heard.problems[0].message,
                 "Not sent to the radio: (an invalid command)\nQuillard made a command that the "
                 "radio does not take; nothing was sent.");
        heard.problems.clear();

        QVERIFY(owner.sender().sendCommand(CatCommand::receiveOn(Receiver::VfoB)));
        QVERIFY(main.isOpen());
        {
            PortLease lease = owner.lend();
            QVERIFY(!main.isOpen());
            QVERIFY(!owner.sender().sendCommand(CatCommand::transmit()));
            QVERIFY(!main.isOpen());
            QCoreApplication::processEvents();
            QCOMPARE(heard.problems.size(), 1);
            QCOMPARE(heard.problems[0].window, &window);
            QCOMPARE(heard.problems[0].message,
                     "Not sent to the radio: TX;\nSerial port 1 (" + com1 + ") is not open.");
        }
        QVERIFY(owner.sender().sendCommand(CatCommand::receive()));
        QTRY_COMPARE(radio.raw(), QByteArray("FR1;\rRX;\r"));
    }

    // A damaged file: the main window hears of it once for the whole run, a
    // borrowing window once for each opening, each only after the handler
    // that met it; a window that has gone meanwhile hears nothing.
    void settingsProblemsComeAfterTheHandlerForTheirWindow()
    {
        SettingsFolder settings;
        settings.write("qd.cfg", "abc\r\n9600\r\n");
        const QString problem = "The settings file " + settings.path() +
                                "/qd.cfg cannot be used: the port number \"abc\" on its first "
                                "line is not a number from 1 to 255. To choose the port and baud "
                                "rate again, delete " +
                                settings.path() + "/qd.cfg and start Quillard.";
        QObject window;
        PortLink main;
        PortOwner owner(main, &window);
        Heard heard(owner);
        owner.readSettings();
        owner.activate();
        owner.activate();
        QVERIFY(heard.problems.isEmpty()); // not within the handler
        QCoreApplication::processEvents();
        owner.activate();
        QCoreApplication::processEvents();
        QCOMPARE(heard.problems.size(), 1);
        QCOMPARE(heard.problems[0].window, &window);
        QCOMPARE(heard.problems[0].message, problem);
        QCOMPARE(main.portDescription(), QStringLiteral("Serial port \"abc\""));

        heard.problems.clear();
        for (int opening = 0; opening < 2; ++opening) {
            QObject guide;
            PortLink borrowed;
            PortLease lease = owner.lend();
            lease.openAtLoad(borrowed, &guide);
            QVERIFY(!borrowed.isOpen());
            QVERIFY(heard.problems.isEmpty());
            QCoreApplication::processEvents();
            QCOMPARE(heard.problems.size(), 1);
            QCOMPARE(heard.problems[0].window, &guide);
            QCOMPARE(heard.problems[0].message, problem);
            heard.problems.clear();
        }
        {
            auto gone = std::make_unique<QObject>();
            PortLink borrowed;
            PortLease lease = owner.lend();
            lease.openAtLoad(borrowed, gone.get());
            gone.reset();
            QCoreApplication::processEvents();
            QVERIFY(heard.problems.isEmpty());
        }
    }

    // A port that cannot open for the same reason again is reported once:
    // each activation configures the link it already has, which remembers.
    void aFailureRepeatedByActivationsIsReportedOnce()
    {
        SettingsFolder settings;
        settings.write("qd.cfg", "1\r\n9600\r\n");
        FakeMachine machine; // no ttyS0, no adapter
        QObject window;
        PortLink main;
        PortOwner owner(main, &window);
        Heard heard(owner);
        for (int activation = 0; activation < 3; ++activation) {
            owner.activate();
            QCoreApplication::processEvents();
        }
        QCOMPARE(heard.problems.size(), 1);
        QVERIFY(heard.offers.isEmpty());
        QVERIFY2(heard.problems[0].message.startsWith("Serial port 1 (" + machine.dev("ttyS0") +
                                                      ") cannot be opened: the device"),
                 qPrintable(heard.problems[0].message));
    }

    // The offer to link a port whose device is missing: one question per
    // adapter, once a run; Yes links and opens, and a link that cannot be made
    // comes back as the message to show.
    void offerToLinkThePort()
    {
        SettingsFolder settings;
        settings.write("qd.cfg", "1\r\n9600\r\n");
        FakeMachine machine;
        PseudoTerminal radio;
        const QString adapter = "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        machine.adapter(adapter, radio.devicePath());
        const QString com1 = settings.path() + "/com1";
        QObject window;
        PortLink main;
        PortOwner owner(main, &window);
        Heard heard(owner);
        owner.activate();
        QCoreApplication::processEvents();
        QVERIFY(heard.problems.isEmpty());
        QCOMPARE(heard.offers.size(), 1);
        QCOMPARE(heard.offers[0].size(), 1);
        const LinkOffer offer = heard.offers[0][0];
        QCOMPARE(offer.question,
                 "Serial port 1 (" + machine.dev("ttyS0") + ") cannot be opened: the device " +
                     machine.dev("ttyS0") +
                     " does not exist. Connect the radio's cable, or link the port to your serial "
                     "device, for example: ln -s /dev/ttyUSB0 " +
                     com1 + "\n\nA USB serial adapter is plugged in: " + adapter + " (now " +
                     radio.devicePath() + ").\n\nLink Com1 to it? Quillard then makes the link " +
                     com1 + " to " + machine.byId(adapter) + " and opens the port.");

        // A file of the operator's where the link would go is left alone.
        settings.write("com1", "mine");
        QCOMPARE(owner.acceptLinkOffer(offer),
                 "Com1 could not be linked to " + adapter + ": " + com1 +
                     " cannot be made (File exists). Make the link yourself: ln -s " +
                     machine.byId(adapter) + " " + com1);
        QVERIFY(!main.isOpen());
        QFile mine(com1);
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
        QVERIFY(QFile::remove(com1));

        QCOMPARE(owner.acceptLinkOffer(offer), QString());
        QCOMPARE(QFileInfo(com1).symLinkTarget(), machine.byId(adapter));
        QVERIFY(main.isOpen());
        QVERIFY(owner.sender().sendCommand(CatCommand::transmit()));
        QTRY_COMPARE(radio.raw(), QByteArray("TX;\r"));
        QCoreApplication::processEvents();
        QVERIFY(heard.problems.isEmpty());
        QCOMPARE(heard.offers.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPortSession)
#include "tst_portsession.moc"
