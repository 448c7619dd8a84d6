// The link through a real rigctld (Hamlib's daemon, as Debian ships it) on a
// TS-570 stand-in on a pseudo-terminal: what reaches the radio, byte for
// byte and in order, beside another client; and every fault on the way
// reported once, by name, without blocking the window thread.

#include "radio/rigctldlink.h"

#include "clock/testclock.h"
#include "radio/daemonprobe.h"
#include "radio/daemonprocess.h"
#include "radio/ts570standin.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <algorithm>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
DaemonSettings at(quint16 port)
{
    DaemonSettings settings;
    settings.port = 1;
    settings.host = QStringLiteral("127.0.0.1");
    settings.tcpPort = port;
    settings.device = QStringLiteral("/dev/ttyUSB0");
    settings.baud = 9600;
    return settings;
}

// A handler's worth of commands of every shape: blanks, eleven digits, the
// operator's memory text.
QList<CatCommand> burst()
{
    return {CatCommand::frequency(Vfo::A, 14225000),
            CatCommand::receiveOn(Receiver::VfoA),
            CatCommand::recallMemory(5),
            CatCommand::tuneAntenna(),
            CatCommand::setSwitch(Switch::Attenuator, 1),
            *CatCommand::memoryWrite(7, QStringLiteral("2748500"), QStringLiteral("2")),
            CatCommand::transmit()};
}

const QStringList burstOnWire = {"FA00014225000;",           "FR0;", "MC 05;", "AC 11;", "RA01;",
                                 "MW0 070002748500020001 ;", "TX;"};

// A second program beside Quillard, polling as WSJT-X does: frequency, mode,
// PTT and VFO, one after another, counting answers that are errors.
class Poller : public QObject {
public:
    explicit Poller(quint16 port)
    {
        connect(&m_socket, &QTcpSocket::readyRead, this, [this] { take(); });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
        connect(&m_socket, &QTcpSocket::connected, this, [this] { next(); });
    }
    int rounds() const { return m_answers / 4; }
    int errors() const { return m_errors; }

private:
    void next()
    {
        static const char* const asks[] = {"+f\n", "+m\n", "+t\n", "+v\n"};
        m_socket.write(asks[m_answers % 4]);
        m_socket.flush();
    }
    void take()
    {
        m_text += m_socket.readAll();
        qsizetype end;
        while ((end = m_text.indexOf('\n')) >= 0) {
            const QByteArray line = m_text.left(end);
            m_text.remove(0, end + 1);
            if (!line.startsWith("RPRT "))
                continue;
            if (line != "RPRT 0")
                ++m_errors;
            ++m_answers;
            next();
        }
    }
    QTcpSocket m_socket;
    QByteArray m_text;
    int m_answers = 0;
    int m_errors = 0;
};
} // namespace

class TestRigctldLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("rigctld")).isEmpty())
            QFAIL("rigctld is missing: install libhamlib-utils");
    }

    // Every command reaches the radio as on the serial port, its text and one
    // carriage return, in order, once; all of a handler's commands have left
    // Quillard when sendCommand returns; the replies come back as they come.
    void exactBytesInOrderBesideAnotherClient()
    {
        Ts570StandIn radio;
        DaemonProcess rigctld;
        QVERIFY2(rigctld.startRigctld(radio.devicePath()), qPrintable(rigctld.output()));
        RigctldLink link;
        link.configure(at(rigctld.port()));
        QSignalSpy problems(&link, &RadioLink::problem);
        QSignalSpy done(&link, &RadioLink::commEvent);
        QVERIFY(link.open());
        QTRY_VERIFY(link.findChild<QTcpSocket*>()->state() == QAbstractSocket::ConnectedState);
        // Configured again alike (each activation does): the connection stays.
        link.configure(at(rigctld.port()));
        QCOMPARE(link.findChild<QTcpSocket*>()->state(), QAbstractSocket::ConnectedState);

        Poller poller(rigctld.port());
        QTRY_VERIFY(poller.rounds() >= 2);
        radio.forget();

        QStringList expected;
        for (int round = 0; round < 6; ++round) {
            for (const CatCommand& command : burst())
                QVERIFY(link.sendCommand(command));
            // Handed over in full: nothing waits in Quillard for a cue to end.
            QCOMPARE(link.findChild<QTcpSocket*>()->bytesToWrite(), 0);
            expected += burstOnWire;
            QTRY_COMPARE(radio.framedCommands(), expected);
            QTRY_VERIFY(done.count() > round);
        }
        QTRY_VERIFY(poller.rounds() >= 10);
        QCOMPARE(poller.errors(), 0);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).value(0).toString()));
        // No byte of ours outside those commands: every other byte belongs to
        // a query ("FA;") of rigctld's.
        QByteArray others = radio.arrived();
        for (const QString& command : expected)
            others.replace(command.toLatin1() + '\r', "");
        QVERIFY2(!others.contains('\r'), others.constData());
    }

    // Testing the connection asks rigctld, not the radio: no command of
    // Quillard's reaches it. Without rigctld the answer says how to start one.
    void probeAsksTheDaemonOnly()
    {
        Ts570StandIn radio;
        DaemonProcess rigctld;
        QVERIFY(rigctld.startRigctld(radio.devicePath()));
        radio.forget();
        DaemonProbe probe;
        QSignalSpy finished(&probe, &DaemonProbe::finished);
        probe.start(DaemonProbe::Daemon::Rigctld, QStringLiteral("127.0.0.1"), rigctld.port());
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().value(0).toBool(), true);
        QCOMPARE(finished.first().value(1).toString(),
                 QStringLiteral("rigctld answers at 127.0.0.1:%1 and serves a Kenwood TS-570S.")
                     .arg(rigctld.port()));
        QVERIFY2(!radio.arrived().contains('\r'), radio.arrived().constData());

        rigctld.kill();
        probe.start(DaemonProbe::Daemon::Rigctld, QStringLiteral("127.0.0.1"), rigctld.port(),
                    QStringLiteral("/dev/ttyS0"), QStringLiteral("4800"));
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(finished.last().value(0).toBool(), false);
        QVERIFY2(finished.last().value(1).toString().endsWith(
                     QStringLiteral("rigctld -m 2016 -r /dev/ttyS0 -s 4800 -C "
                                    "serial_handshake=Hardware -T 127.0.0.1")),
                 qPrintable(finished.last().value(1).toString()));
    }

    // No rigctld: the message names the address and gives the command that
    // starts one; the commands are listed as not sent.
    void noDaemonSaysHowToStartOne()
    {
        TestClock clock;
        RigctldLink link;
        const quint16 port = DaemonProcess::freePort();
        link.configure(at(port));
        QSignalSpy problems(&link, &RadioLink::problem);
        link.open();
        QTRY_COMPARE(problems.count(), 1);
        const QString opening = problems.takeFirst().value(0).toString();
        QVERIFY2(opening.contains(QStringLiteral("nothing answers at 127.0.0.1:%1").arg(port)),
                 qPrintable(opening));
        QVERIFY2(opening.contains(QStringLiteral("rigctld -m 2016 -r /dev/ttyUSB0 -s 9600 -C "
                                                 "serial_handshake=Hardware -T 127.0.0.1")),
                 qPrintable(opening));

        // Still open for its owner: a click tries again, and says so once.
        QVERIFY(link.isOpen());
        link.sendCommand(CatCommand::frequency(Vfo::A, 7000000));
        link.sendCommand(CatCommand::mode(Mode::CW));
        QTRY_COMPARE(problems.count(), 1);
        const QString click = problems.takeFirst().value(0).toString();
        QVERIFY2(click.contains(QStringLiteral("Not sent to the radio: FA00007000000; MD3;")),
                 qPrintable(click));
        QTest::qWait(50);
        QCOMPARE(problems.count(), 0);
    }

    // rigctld killed in the middle of a burst: what may not have arrived is
    // named; a click while it is down is dropped, not sent when it is back;
    // the next click after it is back goes out, without a new link.
    void daemonKilledMidBurstThenRestarted()
    {
        Ts570StandIn radio;
        auto rigctld = std::make_unique<DaemonProcess>();
        QVERIFY(rigctld->startRigctld(radio.devicePath()));
        const quint16 port = rigctld->port();
        RigctldLink link;
        link.configure(at(port));
        QSignalSpy problems(&link, &RadioLink::problem);
        link.open();
        QSignalSpy acknowledged(&link, &RadioLink::commEvent);
        link.sendCommand(CatCommand::receiveOn(Receiver::VfoB));
        QTRY_COMPARE(radio.framedCommands(), QStringList{"FR1;"});
        // rigctld's acknowledgement of FR1 may still be on its way; once it is
        // in (commEvent), FR1 is known to have arrived and is not doubtful.
        QTRY_COMPARE(acknowledged.count(), 1);

        link.sendCommand(CatCommand::frequency(Vfo::B, 3581500));
        rigctld->kill();
        link.sendCommand(CatCommand::receiveOn(Receiver::VfoA));
        QTRY_COMPARE(problems.count(), 1);
        const QString lost = problems.takeFirst().value(0).toString();
        QVERIFY2(lost.contains(QStringLiteral("connection to rigctld was lost")), qPrintable(lost));
        QVERIFY2(lost.contains(QStringLiteral("May not have reached the radio: FB00003581500; "
                                              "FR0;")),
                 qPrintable(lost));

        link.sendCommand(CatCommand::frequencyUp());
        QTRY_COMPARE(problems.count(), 1);
        const QString down = problems.takeFirst().value(0).toString();
        QVERIFY2(down.contains(QStringLiteral("Not sent to the radio: UP;")), qPrintable(down));

        rigctld = std::make_unique<DaemonProcess>();
        QVERIFY(rigctld->startRigctld(radio.devicePath(), port));
        radio.forget();
        link.sendCommand(CatCommand::mode(Mode::AM));
        QTRY_COMPARE(radio.framedCommands(), QStringList{"MD5;"});
        QTest::qWait(300);
        QCOMPARE(radio.framedCommands(), QStringList{"MD5;"});
        QCOMPARE(problems.count(), 0);
    }

    // A daemon that takes the connection and never answers: sendCommand
    // returns at once, and a message comes once when the wait is over.
    void silentDaemonIsReportedOnce()
    {
        TestClock clock;
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        RigctldLink link;
        link.configure(at(silent.serverPort()));
        QSignalSpy problems(&link, &RadioLink::problem);
        link.open();
        QTRY_VERIFY(silent.hasPendingConnections());
        QTRY_VERIFY(link.findChild<QTcpSocket*>()->state() == QAbstractSocket::ConnectedState);

        QElapsedTimer handler;
        handler.start();
        link.sendCommand(CatCommand::transmit());
        link.sendCommand(CatCommand::receive());
        QVERIFY(handler.elapsed() < 100);
        clock.advance(4.9);
        QCOMPARE(problems.count(), 0);
        clock.advance(0.2);
        QTRY_COMPARE(problems.count(), 1);
        const QString message = problems.takeFirst().value(0).toString();
        QVERIFY2(message.contains(QStringLiteral("has not confirmed TX; RX; within 5 seconds: "
                                                 "another program is holding the radio")),
                 qPrintable(message));
        clock.advance(10);
        link.sendCommand(CatCommand::receive());
        clock.advance(10);
        QCOMPARE(problems.count(), 0);
    }

    // A host that takes no connection (a listener whose backlog is full):
    // the command waits without a freeze and is dropped at the timeout.
    void hostThatDoesNotAnswer()
    {
        TestClock clock;
        const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QVERIFY(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        QVERIFY(::listen(listener, 0) == 0);
        socklen_t length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        const quint16 port = ntohs(address.sin_port);
        // Fill the backlog: further connections stay unanswered.
        QList<QTcpSocket*> fillers;
        for (int i = 0; i < 3; ++i) {
            fillers << new QTcpSocket(this);
            fillers.last()->connectToHost(QHostAddress::LocalHost, port);
        }
        // Once one is in, the queue of one is full: the kernel drops the
        // connection requests that follow.
        QTRY_VERIFY(std::any_of(fillers.cbegin(), fillers.cend(), [](QTcpSocket* filler) {
            return filler->state() == QAbstractSocket::ConnectedState;
        }));

        RigctldLink link;
        link.configure(at(port));
        QSignalSpy problems(&link, &RadioLink::problem);
        link.open();
        QElapsedTimer handler;
        handler.start();
        link.sendCommand(CatCommand::power(true));
        QVERIFY(handler.elapsed() < 100);
        clock.advance(3.9);
        QCOMPARE(problems.count(), 0);
        clock.advance(0.2);
        QTRY_COMPARE(problems.count(), 1);
        const QString message = problems.takeFirst().value(0).toString();
        QVERIFY2(message.contains(QStringLiteral("127.0.0.1 does not answer; no connection "
                                                 "within 4 seconds")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Not sent to the radio: PS1;")),
                 qPrintable(message));
        qDeleteAll(fillers);
        ::close(listener);
    }
};

QTEST_GUILESS_MAIN(TestRigctldLink)
#include "tst_rigctldlink.moc"
