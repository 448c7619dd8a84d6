// The link through a real flrig (1.4.7, as Debian ships it) serving a TS-570
// stand-in on a pseudo-terminal, while flrig polls it as it always does:
// a handler's commands reach the radio together, byte for byte, whatever the
// operator typed; and before a cue holds the thread.
//
// flrig is a window program and listens on all interfaces with no password,
// so the test runs in a network namespace of its own (its port 12345 is seen
// by nothing else) with an X server of its own.

#include "radio/flriglink.h"

#include "radio/daemonprobe.h"
#include "radio/daemonprocess.h"
#include "radio/ts570standin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <stdlib.h>
#include <unistd.h>

namespace {
constexpr quint16 FlrigPort = 12345;

DaemonSettings flrigHere()
{
    DaemonSettings settings;
    settings.port = 1;
    settings.host = QStringLiteral("127.0.0.1");
    settings.tcpPort = FlrigPort;
    return settings;
}

// flrig with a settings folder of its own: the TS-570 on the given serial
// device ("NONE": no radio, flrig's test mode).
class Flrig {
public:
    Flrig(const QString& display, const QString& device)
    {
        const QString folder = m_home.filePath(QStringLiteral("cfg"));
        QDir().mkpath(folder);
        write(folder + QStringLiteral("/flrig.prefs"), QStringLiteral("flrig"),
              QStringLiteral("xcvr_name:TS-570\n"));
        write(folder + QStringLiteral("/TS-570.prefs"), QStringLiteral("TS-570"),
              QStringLiteral("version:1.4.7\nxcvr_serial_port:%1\ncomm_baudrate:5\n"
                             "xmlport:%2\n")
                  .arg(device)
                  .arg(FlrigPort));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("HOME"), m_home.path());
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("flrig"), {QStringLiteral("--config-dir"), folder});
        m_process.waitForStarted(10000);
    }
    ~Flrig()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool accepting()
    {
        for (int tries = 0; tries < 200 && m_process.state() == QProcess::Running; ++tries) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), FlrigPort);
            if (probe.waitForConnected(200))
                return true;
            QTest::qWait(100);
        }
        qWarning("flrig does not listen: %s", m_process.readAll().constData());
        return false;
    }

private:
    static void write(const QString& path, const QString& application, const QString& entries)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("; FLTK preferences file format 1.0\n; vendor: w1hkj.com\n"
                                  "; application: %1\n\n[.]\n\n%2")
                       .arg(application, entries)
                       .toLatin1());
    }

    QTemporaryDir m_home;
    QProcess m_process;
};
} // namespace

class TestFlrigLink : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("flrig")).isEmpty())
            QFAIL("flrig is missing: install flrig");
        m_xserver.start(QStringLiteral("Xvfb"),
                        {QStringLiteral("-displayfd"), QStringLiteral("1"),
                         QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(m_xserver.waitForReadyRead(10000));
        m_display = QLatin1Char(':') + QString::fromLatin1(m_xserver.readLine().trimmed());
    }

    void cleanupTestCase()
    {
        m_xserver.kill();
        m_xserver.waitForFinished(5000);
    }

    // A handler's commands go in one call, so they reach the radio as one
    // block between flrig's polls; an "x", "<" or "&" the operator typed
    // arrives as typed; commands gathered when a cue starts leave before it.
    void commandsReachTheRadioTogether()
    {
        Ts570StandIn radio;
        Flrig flrig(m_display, radio.devicePath());
        QVERIFY(flrig.accepting());
        QTRY_VERIFY_WITH_TIMEOUT(radio.queriesAnswered() > 20, 20000);

        FlrigLink link;
        link.configure(flrigHere());
        QSignalSpy problems(&link, &RadioLink::problem);
        QSignalSpy done(&link, &RadioLink::commEvent);
        link.open();
        QTRY_VERIFY(link.findChild<QTcpSocket*>()->state() == QAbstractSocket::ConnectedState);
        radio.forget();

        const QList<CatCommand> handler = {
            CatCommand::receiveOn(Receiver::VfoB),
            CatCommand::frequency(Vfo::B, 21200000),
            CatCommand::recallMemory(5),
            CatCommand::tuneAntenna(),
            *CatCommand::memoryWrite(7, QStringLiteral("27x8500"), QStringLiteral("2")),
            *CatCommand::memoryWrite(8, QStringLiteral("1<&>\"'0"), QStringLiteral("x"))};
        const QByteArray block = "FR1;\rFB00021200000;\rMC 05;\rAC 11;\r"
                                 "MW0 0700027x8500020001 ;\rMW0 080001<&>\"'00x0001 ;\r";
        for (int round = 1; round <= 3; ++round) {
            for (const CatCommand& command : handler)
                QVERIFY(link.sendCommand(command));
            QTRY_VERIFY(done.count() == round);
            QCOMPARE(radio.arrived().count(block), round);
        }
        QCOMPARE(radio.framedCommands().size(), 18);

        // A cue blocks the thread right after the handler: the commands are
        // already on their way and reach the radio while it plays.
        radio.forget();
        link.sendCommand(CatCommand::mode(Mode::FSK));
        link.sendCommand(CatCommand::antenna(2));
        link.flush();
        QByteArray meanwhile;
        for (int waited = 0; waited < 40 && !meanwhile.contains("MD6;\rAN2;\r"); ++waited) {
            usleep(50000);
            meanwhile = radio.arrivedMeanwhile();
        }
        QVERIFY2(meanwhile.contains("MD6;\rAN2;\r"), meanwhile.constData());
        QTRY_VERIFY(done.count() == 4);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.value(0).value(0).toString()));

        // Testing the connection names flrig's transceiver, and sends nothing.
        radio.forget();
        DaemonProbe probe;
        QSignalSpy finished(&probe, &DaemonProbe::finished);
        probe.start(DaemonProbe::Daemon::Flrig, QStringLiteral("127.0.0.1"), FlrigPort);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().value(1).toString(),
                 QStringLiteral("flrig answers at 127.0.0.1:12345, set up for the TS-570."));
        QVERIFY(!radio.arrived().contains('\r'));
    }

private:
    QProcess m_xserver;
    QString m_display;
};

// flrig's port must be private: the test runs itself again in a network
// namespace of its own, where only the loopback interface exists (inside a
// user namespace, so no privilege is needed).
int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QUILLARD_OWN_NETWORK")) {
        setenv("QUILLARD_OWN_NETWORK", "1", 1);
        // root needs no user namespace (and gets none inside a chroot).
        QList<char*> arguments = {const_cast<char*>("unshare"),
                                  const_cast<char*>(::getuid() == 0 ? "-n" : "-rn"),
                                  const_cast<char*>("--")};
        for (int i = 0; i < argc; ++i)
            arguments << argv[i];
        arguments << nullptr;
        execvp("unshare", arguments.data());
        qFatal("unshare cannot be run: a network namespace of its own is needed");
    }
    if (QProcess::execute(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("set"),
                                                 QStringLiteral("lo"), QStringLiteral("up")}) != 0)
        qFatal("the loopback interface of the test's own network does not come up");
    QCoreApplication app(argc, argv);
    TestFlrigLink test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_flriglink.moc"
