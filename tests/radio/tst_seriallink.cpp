#include "radio/seriallink.h"

#include "app/cues.h"
#include "timeline.h"
#include "processusage.h"
#include "uitest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(RadioSettings)

namespace {
const RadioSettings port1{QStringLiteral("1"), QStringLiteral("9600")};

// Waits for one framed command at the far end, reading it straight from the
// pseudo-terminal's master, and returns what arrived.
QByteArray readFramed(int master)
{
    QByteArray got;
    while (!got.endsWith('\r')) {
        pollfd ready{master, POLLIN, 0};
        if (::poll(&ready, 1, 1000) != 1)
            break;
        char byte = 0;
        if (::read(master, &byte, 1) == 1)
            got.append(byte);
    }
    return got;
}

// The messages the link raised, once the current handler has finished.
QStringList problemsAfterHandler(QSignalSpy& spy)
{
    QTest::qWait(20);
    QStringList messages;
    for (const QList<QVariant>& call : spy)
        messages.append(call.at(0).toString());
    spy.clear();
    return messages;
}
} // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void commandsArriveByteExactBeforeTheCue()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QVERIFY(link.openLink(readSettingsFile().settings));
        QVERIFY(link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QVERIFY(link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)));
        PlayCue(QStringLiteral("20m.wav"));
        QCOMPARE(timeline.events(), QStringList({"FR0;", "FA00014000000;", "cue:20m.wav"}));
        QCOMPARE(timeline.rawBytes(), QByteArray("FR0;\rFA00014000000;\r"));
    }

    // Each command is at the far end, whole and alone, as soon as sendCommand
    // returns: no event loop in between, nothing merged, nothing split.
    void eachCommandLeavesAsItsOwnWrite()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QVERIFY(link.openLink(port1));
        for (int channel = 0; channel < 100; ++channel) {
            const CatCommand command = CatCommand::recallMemory(channel);
            QVERIFY(link.sendCommand(command));
            QCOMPARE(readFramed(timeline.masterFd()), command.framed());
        }
    }

    // The radio's answers are read and dropped after each command has gone.
    void drainingOnCommEventEmptiesTheReceiveBuffer()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        connect(&link, &SerialLink::commEvent, &link, [&link] { link.drainInput(); });
        QSignalSpy events(&link, &SerialLink::commEvent);
        QVERIFY(link.openLink(port1));
        timeline.radioSends("FA00014000000;IF00014000000     000000000020000080;");
        QTRY_COMPARE(link.inBufferCount(), 51);
        QVERIFY(link.sendCommand(CatCommand::frequencyUp()));
        QTRY_VERIFY(events.count() >= 1);
        QCOMPARE(link.inBufferCount(), 0);
        QCOMPARE(timeline.events(), QStringList({"UP;"}));
    }

    // The hand-over: the main link closes, another window's link opens the
    // same port and goes, the main link opens again.
    void closeOpenElsewhereAndReopen()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink main;
        QSignalSpy problems(&main, &SerialLink::problem);
        QVERIFY(main.openLink(port1));
        QVERIFY(main.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        main.closeLink();
        QVERIFY(!main.isOpen());
        {
            SerialLink guide;
            guide.configure(port1);
            QVERIFY(guide.open());
            QVERIFY(guide.sendCommand(CatCommand::mode(Mode::USB)));
            timeline.radioSends("garbage the guide never reads");
            QTest::qWait(20);
        } // the guide's window is closed from its frame: only destruction releases
        QVERIFY(main.open());
        QVERIFY(main.sendCommand(CatCommand::frequency(Vfo::A, 14230000)));
        QCOMPARE(timeline.events(), QStringList({"FR0;", "MD2;", "FA00014230000;"}));
        QVERIFY(problemsAfterHandler(problems).isEmpty());
    }

    void secondOpenerIsToldThePortIsInUse()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink holder;
        QVERIFY(holder.openLink(port1));
        SerialLink other;
        QSignalSpy problems(&other, &SerialLink::problem);
        QVERIFY(!other.openLink(port1));
        QVERIFY(!other.isOpen());
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Serial port 1 (" + timeline.linkPath() + ")") &&
                     messages[0].contains("in use by another program"),
                 qPrintable(messages[0]));
        // The holder is not disturbed.
        QVERIFY(holder.sendCommand(CatCommand::transmit()));
        QCOMPARE(timeline.events(), QStringList({"TX;"}));
    }

    // A port number names <settings dir>/comN when that exists (a link to the
    // real device, or to a radio served elsewhere), else the Nth serial port.
    void portNumbersNameDevices()
    {
        TestEnvironment env;
        SerialLink link;
        link.configure({QStringLiteral("3"), QStringLiteral("9600")});
        QCOMPARE(link.portDescription(), QStringLiteral("Serial port 3 (/dev/ttyS2)"));
        const QString com3 = env.settingsDir() + QStringLiteral("/com3");
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB7"), com3));
        link.configure({QStringLiteral("3"), QStringLiteral("9600")});
        QCOMPARE(link.portDescription(), "Serial port 3 (" + com3 + ")");
    }

    // Ports that cannot be opened: one clear message naming the port, the
    // device and what to do; later commands are refused by name.
    void openingFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<RadioSettings>("settings");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("missing device") << "dangling" << port1
                                        << QStringList{"Serial port 1", "/com1", "links to",
                                                       "does not exist", "ln -s /dev/ttyUSB0"};
        QTest::newRow("not a device")
            << "plain file" << port1 << QStringList{"/com1", "is not a serial device"};
        QTest::newRow("port abc") << "" << RadioSettings{"abc", "9600"}
                                  << QStringList{"Serial port \"abc\"", "qd.cfg", "\"abc\"",
                                                 "delete"};
        QTest::newRow("baud 12345")
            << "" << RadioSettings{"1", "12345"}
            << QStringList{"Serial port 1", "qd.cfg", "\"12345\"", "delete"};
    }

    void openingFaults()
    {
        QFETCH(QString, fault);
        QFETCH(RadioSettings, settings);
        QFETCH(QStringList, mentions);
        TestEnvironment env;
        const QString com1 = env.settingsDir() + QStringLiteral("/com1");
        if (fault == QLatin1String("dangling"))
            QVERIFY(QFile::link(env.settingsDir() + QStringLiteral("/gone/ttyUSB0"), com1));
        if (fault == QLatin1String("plain file")) {
            QFile file(com1);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(!link.openLink(settings));
        QVERIFY(!link.isOpen());
        QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        for (const QString& mention : mentions)
            QVERIFY2(messages[0].contains(mention), qPrintable(messages[0]));

        // Trying again for the same reason says nothing new...
        QVERIFY(!link.open());
        QVERIFY(problemsAfterHandler(problems).isEmpty());
        // ...but a click that cannot be carried out is never silent.
        QVERIFY(!link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QVERIFY(!link.sendCommand(CatCommand::frequency(Vfo::A, 7000000)));
        messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Not sent to the radio: FR0; FA00007000000;") &&
                     messages[0].contains(mentions[0]),
                 qPrintable(messages[0]));
    }

    void noPermissionPointsToTheDialoutGroup()
    {
        TestEnvironment env;
        Timeline timeline;
        // Root opens any device, so the opening is tried as the user "nobody".
        const bool asRoot = ::geteuid() == 0;
        for (QDir dir(env.settingsDir()); asRoot && dir.path() != QDir::tempPath(); dir.cdUp())
            QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther |
                                                  QFile::ReadOther);
        QCOMPARE(::chmod(QFile::encodeName(timeline.devicePath()).constData(), 0), 0);

        int channel[2];
        QCOMPARE(::pipe(channel), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            if (asRoot && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            QString message;
            {
                SerialLink link;
                connect(&link, &SerialLink::problem, &link,
                        [&message](const QString& text) { message = text; });
                link.openLink(port1);
                QCoreApplication::sendPostedEvents(&link);
            }
            const QByteArray bytes = message.toUtf8();
            const bool written =
                ::write(channel[1], bytes.constData(), bytes.size()) == bytes.size();
            ::_exit(written ? 0 : 1);
        }
        ::close(channel[1]);
        QByteArray message;
        pollfd ready{channel[0], POLLIN, 0};
        char buffer[4096];
        while (::poll(&ready, 1, 5000) == 1) {
            const ssize_t got = ::read(channel[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            message.append(buffer, got);
        }
        ::close(channel[0]);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
            QSKIP("cannot become the user nobody to try the port without permission");
        QVERIFY2(message.contains("Serial port 1 (" + timeline.linkPath().toUtf8() + ")") &&
                     message.contains("no permission") && message.contains("dialout group"),
                 message.constData());
    }

    void writeWhileClosedNamesWhatWasNotSent()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        link.configure(port1);
        QVERIFY(!link.sendCommand(CatCommand::setSwitch(Switch::Attenuator, 1)));
        QVERIFY(!link.sendCommand(CatCommand::tuneAntenna()));
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(
            messages[0].contains("Not sent to the radio: RA01; AC 11;") &&
                messages[0].contains("Serial port 1 (" + timeline.linkPath() + ") is not open"),
            qPrintable(messages[0]));
        QVERIFY(timeline.events().isEmpty());
    }

    void invalidCommandIsRefusedNotSent()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(port1));
        QVERIFY(!link.sendCommand(CatCommand::setSwitch(Switch::NoiseReduction, 3)));
        QVERIFY(link.sendCommand(CatCommand::setSwitch(Switch::NoiseReduction, 2)));
        QCOMPARE(timeline.events(), QStringList({"NR2;"}));
        QCOMPARE(problemsAfterHandler(problems).size(), 1);
    }

    // The cable is pulled: the port closes at once, the operator hears of it
    // once, nothing spins, and the next opening says why it cannot open.
    void deviceVanishingWhileOpen()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(port1));
        QVERIFY(link.sendCommand(CatCommand::power(true)));
        QCOMPARE(timeline.events(), QStringList({"PS1;"}));

        const double cpuBefore = processCpuSeconds();
        timeline.hangUp();
        QTRY_VERIFY_WITH_TIMEOUT(!link.isOpen(), 1000);
        QTest::qWait(1000);
        QVERIFY2(processCpuSeconds() - cpuBefore < 0.3, "the event loop spins on a vanished device");
        QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(
            messages[0].contains("Serial port 1 (" + timeline.linkPath() + ") stopped working"),
            qPrintable(messages[0]));

        QVERIFY(!link.sendCommand(CatCommand::power(false)));
        messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Not sent to the radio: PS0;"), qPrintable(messages[0]));

        // The window's next activation tries again: a new reason is reported,
        // the same one again is not.
        QVERIFY(!link.open());
        messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("does not exist"), qPrintable(messages[0]));
        QVERIFY(!link.open());
        QVERIFY(problemsAfterHandler(problems).isEmpty());
    }

    // A write that meets the vanished device before the event loop has
    // noticed is reported as not sent, never taken for sent.
    void writeIntoAVanishedDevice()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(port1));
        timeline.hangUp();
        QVERIFY(!link.sendCommand(CatCommand::transmit()));
        QVERIFY(!link.isOpen());
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("stopped working") &&
                     messages[0].contains("Not sent to the radio: TX;"),
                 qPrintable(messages[0]));
    }

    // A radio that takes nothing (flow control holding, or nobody reading):
    // sending never blocks, and what does not fit is refused by name.
    void fullTransmitBufferRefusesWithoutFreezing()
    {
        TestEnvironment env;
        Timeline timeline;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(port1));
        QElapsedTimer clock;
        clock.start();
        int sent = 0;
        while (sent < 200000 && link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)))
            ++sent;
        QVERIFY2(clock.elapsed() < 5000, "sending blocked");
        QVERIFY(sent < 200000);
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("transmit buffer") && messages[0].contains("FA00014000000;"),
                 qPrintable(messages[0]));
    }
};

QUILLARD_TEST_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
