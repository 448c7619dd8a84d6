// The serial link on its own, over a real pseudo-terminal: what reaches the
// far end, byte for byte; the hand-over between two links; and every fault
// reported once, by name, without blocking.

#include "radio/seriallink.h"

#include "clock/testclock.h"
#include "platform/fakemachine.h"
#include "radio/processusage.h"
#include "radio/pseudoterminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {
// A radio on a pseudo-terminal, reached through a link named like the ones
// operators make ("com1"), as port 1 at 9600 baud.
class Radio {
public:
    explicit Radio(PseudoTerminal::Reading reading = PseudoTerminal::Reading::OnArrival)
        : m_far(reading)
    {
        QFile::link(m_far.devicePath(), linkPath());
        m_far.onCommand(
            [this](const QByteArray& text) { m_commands << QString::fromLatin1(text); });
    }

    QString linkPath() const { return m_dir.filePath(QStringLiteral("com1")); }
    LinkSettings port() const
    {
        return {1, 9600, linkPath(), QStringLiteral("point com1 at your device")};
    }
    PseudoTerminal& far() { return m_far; }

    // The commands that have arrived so far.
    QStringList commands()
    {
        QCoreApplication::processEvents();
        m_far.readAvailable();
        return m_commands;
    }

private:
    QTemporaryDir m_dir;
    PseudoTerminal m_far;
    QStringList m_commands;
};

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

// The messages the link raised, once the handler that is running has finished
// (the link reports after it).
QStringList problemsAfterHandler(QSignalSpy& spy)
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
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
    // RTS/CTS unless the port's settings say the cable has three wires.
    void handshakeFollowsTheCable()
    {
        for (const bool hardware : {true, false}) {
            PseudoTerminal far;
            SerialLink link;
            LinkSettings port{1, 9600, far.devicePath(), {}};
            port.hardwareHandshake = hardware;
            QVERIFY(link.openLink(port));
            const int fd = ::open(far.devicePath().toLatin1().constData(), O_RDWR | O_NOCTTY);
            termios line{};
            QVERIFY(tcgetattr(fd, &line) == 0);
            ::close(fd);
            QCOMPARE(bool(line.c_cflag & CRTSCTS), hardware);
            QVERIFY(link.sendCommand(CatCommand::transmit()));
            QTRY_COMPARE(far.raw(), QByteArray("TX;\r"));
        }
    }

    // Each command is at the far end, whole and alone, as soon as sendCommand
    // returns: no event loop in between (so a cue that blocks the loop next
    // cannot hold it back), nothing merged, nothing split.
    void eachCommandLeavesAtOnceAsItsOwnWrite()
    {
        Radio radio;
        SerialLink link;
        QVERIFY(link.openLink(radio.port()));
        QVERIFY(link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QCOMPARE(readFramed(radio.far().masterFd()), QByteArray("FR0;\r"));
        QVERIFY(link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)));
        QCOMPARE(readFramed(radio.far().masterFd()), QByteArray("FA00014000000;\r"));
        QVERIFY(link.sendCommand(CatCommand::recallMemory(0)));
        QCOMPARE(readFramed(radio.far().masterFd()), QByteArray("MC 00;\r"));
        QVERIFY(link.sendCommand(CatCommand::tuneAntenna()));
        QCOMPARE(readFramed(radio.far().masterFd()), QByteArray("AC 11;\r"));
        for (int burst = 0; burst < 100; ++burst) {
            QVERIFY(link.sendCommand(CatCommand::recallMemory(99)));
            QCOMPARE(readFramed(radio.far().masterFd()), QByteArray("MC 99;\r"));
        }
    }

    // The radio's answers are read and dropped after each command has gone.
    void drainingOnCommEventEmptiesTheReceiveBuffer()
    {
        Radio radio;
        SerialLink link;
        connect(&link, &SerialLink::commEvent, &link, [&link] { link.drainInput(); });
        QSignalSpy events(&link, &SerialLink::commEvent);
        QVERIFY(link.openLink(radio.port()));
        radio.far().radioSends("FA00014000000;IF00014000000     000000000020000080;");
        QTRY_COMPARE(link.inBufferCount(), 51);
        QVERIFY(link.sendCommand(CatCommand::frequencyUp()));
        QTRY_VERIFY(events.count() >= 1);
        QCOMPARE(link.inBufferCount(), 0);
        QCOMPARE(radio.commands(), QStringList({"UP;"}));
    }

    // The hand-over: the main link closes, another window's link opens the
    // same port and goes, the main link opens again.
    void closeOpenElsewhereAndReopen()
    {
        Radio radio;
        SerialLink main;
        QSignalSpy problems(&main, &SerialLink::problem);
        QVERIFY(main.openLink(radio.port()));
        QVERIFY(main.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        main.closeLink();
        QVERIFY(!main.isOpen());
        {
            SerialLink guide;
            guide.configure(radio.port());
            QVERIFY(guide.open());
            QVERIFY(guide.sendCommand(CatCommand::mode(Mode::USB)));
            radio.far().radioSends("garbage the guide never reads");
            QTRY_COMPARE(guide.inBufferCount(), 29);
        } // the guide's window is closed from its frame: only destruction releases
        QVERIFY(main.open());
        QVERIFY(main.sendCommand(CatCommand::frequency(Vfo::A, 14230000)));
        QCOMPARE(radio.commands(), QStringList({"FR0;", "MD2;", "FA00014230000;"}));
        QVERIFY(problemsAfterHandler(problems).isEmpty());
    }

    void secondOpenerIsToldThePortIsInUse()
    {
        Radio radio;
        SerialLink holder;
        QVERIFY(holder.openLink(radio.port()));
        SerialLink other;
        QSignalSpy problems(&other, &SerialLink::problem);
        QVERIFY(!other.openLink(radio.port()));
        QVERIFY(!other.isOpen());
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("Serial port 1 (" + radio.linkPath() + ")") &&
                     messages[0].contains("in use by another program"),
                 qPrintable(messages[0]));
        // The holder is not disturbed.
        QVERIFY(holder.sendCommand(CatCommand::transmit()));
        QCOMPARE(radio.commands(), QStringList({"TX;"}));
    }

    // Ports that cannot be opened: one clear message naming the port, the
    // device and what to do; later commands are refused by name.
    void openingFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("advice");
        QTest::addColumn<QString>("expected");
        QTest::newRow("link to nothing")
            << "dangling"
            << "point com1 at your device"
            << "Serial port 1 (%1) cannot be opened: %1 links to %2, which does not exist. "
               "Connect the radio's cable, or point com1 at your device";
        QTest::newRow("link to nothing, no advice")
            << "dangling"
            << ""
            << "Serial port 1 (%1) cannot be opened: %1 links to %2, which does not exist. "
               "Connect the radio's cable.";
        QTest::newRow("plain file") << "plain file"
                                    << "point com1 at your device"
                                    << "Serial port 1 (%1) cannot be opened: %1 is not a serial "
                                       "device. Remove it, or point com1 at your device";
        QTest::newRow("no device") << "missing"
                                   << "point com1 at your device"
                                   << "Serial port 1 (%1) cannot be opened: the device %1 does "
                                      "not exist. Connect the radio's cable, or point com1 at "
                                      "your device";
    }

    void openingFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, advice);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString device = dir.filePath(QStringLiteral("com1"));
        const QString target = dir.filePath(QStringLiteral("gone/ttyUSB0"));
        if (fault == QLatin1String("dangling"))
            QVERIFY(QFile::link(target, device));
        if (fault == QLatin1String("plain file")) {
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(!link.openLink({1, 9600, device, advice}));
        QVERIFY(!link.isOpen());
        QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages, QStringList{expected.arg(device, target)});

        // Trying again for the same reason says nothing new...
        QVERIFY(!link.open());
        QVERIFY(problemsAfterHandler(problems).isEmpty());
        // ...but a click that cannot be carried out is never silent.
        QVERIFY(!link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QVERIFY(!link.sendCommand(CatCommand::frequency(Vfo::A, 7000000)));
        messages = problemsAfterHandler(problems);
        QCOMPARE(messages, QStringList{"Not sent to the radio: FR0; FA00007000000;\n" +
                                       expected.arg(device, target)});
    }

    // A port whose settings are unusable is never opened; its owner's reason
    // is given for the opening and for every command.
    void unusablePortRefusesWithTheOwnersReason()
    {
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        LinkSettings unusable{0, 9600, {}, {}};
        unusable.unreadablePort = QStringLiteral("abc");
        link.configureUnusable(unusable, QStringLiteral("the owner says why"));
        QVERIFY(!link.open());
        QVERIFY(!link.sendCommand(CatCommand::transmit()));
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Serial port \"abc\" cannot be opened: the owner says why\n\n"
                             "Not sent to the radio: TX;\n"
                             "Serial port \"abc\" cannot be opened: the owner says why"});
    }

    void noPermissionPointsToTheDialoutGroup()
    {
        Radio radio;
        // Root opens any device, so the opening is tried as the user "nobody".
        const bool asRoot = ::geteuid() == 0;
        for (QDir dir(QFileInfo(radio.linkPath()).absolutePath());
             asRoot && dir.path() != QDir::tempPath(); dir.cdUp())
            QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFile::ExeOther |
                                                  QFile::ReadOther);
        QCOMPARE(::chmod(QFile::encodeName(radio.far().devicePath()).constData(), 0), 0);

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
                link.openLink(radio.port());
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
        QCOMPARE(QString::fromUtf8(message),
                 "Serial port 1 (" + radio.linkPath() +
                     ") cannot be opened: you have no "
                     "permission to use " +
                     radio.linkPath() +
                     ". Add your user to the dialout "
                     "group (sudo adduser $USER dialout), then log out and in again.");
    }

    void writeWhileClosedNamesWhatWasNotSent()
    {
        Radio radio;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        link.configure(radio.port());
        QVERIFY(!link.sendCommand(CatCommand::setSwitch(Switch::Attenuator, 1)));
        QVERIFY(!link.sendCommand(CatCommand::tuneAntenna()));
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Not sent to the radio: RA01; AC 11;\nSerial port 1 (" +
                             radio.linkPath() + ") is not open."});
        QVERIFY(radio.commands().isEmpty());
    }

    void invalidCommandIsRefusedNotSent()
    {
        Radio radio;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(radio.port()));
        QVERIFY(!link.sendCommand(CatCommand::setSwitch(Switch::NoiseReduction, 3)));
        QVERIFY(link.sendCommand(CatCommand::setSwitch(Switch::NoiseReduction, 2)));
        QCOMPARE(radio.commands(), QStringList({"NR2;"}));
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Not sent to the radio: (an invalid command)\nQuillard made a "
                             "command that the radio does not take; nothing was sent."});
    }

    // The cable is pulled: the port closes at once, the operator hears of it
    // once, nothing spins, and the next opening says why it cannot open.
    void deviceVanishingWhileOpen()
    {
        Radio radio;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(radio.port()));
        QVERIFY(link.sendCommand(CatCommand::power(true)));
        QCOMPARE(radio.commands(), QStringList({"PS1;"}));

        const QString device = radio.far().devicePath();
        radio.far().hangUp();
        QFile::remove(radio.linkPath());
        QVERIFY(QFile::link(radio.far().devicePath() + "-gone", radio.linkPath()));
        QTRY_VERIFY_WITH_TIMEOUT(!link.isOpen(), 1000);
        // Real time on purpose: a second of an idle event loop after the fault
        // shows that nothing spins on the vanished device.
        const double cpuBefore = processCpuSeconds();
        QTest::qWait(1000);
        QVERIFY2(processCpuSeconds() - cpuBefore < 0.3,
                 "the event loop spins on a vanished device");
        // The reason is this failure's own, never a leftover system error.
        QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages,
                 QStringList{"Serial port 1 (" + radio.linkPath() + ") stopped working: " + device +
                             " disappeared. Was the cable pulled, or the radio switched "
                             "off? Quillard opens the port again when the window is "
                             "next active."});

        QVERIFY(!link.sendCommand(CatCommand::power(false)));
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Not sent to the radio: PS0;\nSerial port 1 (" + radio.linkPath() +
                             ") was closed after it stopped working."});

        // The window's next activation tries again: a new reason is reported,
        // the same one again is not.
        QVERIFY(!link.open());
        messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains("which does not exist"), qPrintable(messages[0]));
        QVERIFY(!link.open());
        QVERIFY(problemsAfterHandler(problems).isEmpty());
    }

    // A write that meets the vanished device before the event loop has
    // noticed is reported as not sent, never taken for sent.
    void writeIntoAVanishedDevice()
    {
        Radio radio;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(radio.port()));
        const QString device = radio.far().devicePath();
        radio.far().hangUp();
        QVERIFY(!link.sendCommand(CatCommand::transmit()));
        QVERIFY(!link.isOpen());
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Serial port 1 (" + radio.linkPath() + ") stopped working: " + device +
                             " disappeared. Was the cable pulled, or the radio switched off? "
                             "Quillard opens the port again when the window is next active.\n\n"
                             "Not sent to the radio: TX;\nSerial port 1 (" +
                             radio.linkPath() + ") was closed after it stopped working."});
    }

    // A radio that takes nothing (flow control holding, or nobody reading):
    // sending never blocks, and what does not fit is refused by name.
    void fullTransmitBufferRefusesWithoutFreezing()
    {
        Radio radio;
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(radio.port()));
        QElapsedTimer clock;
        clock.start();
        int sent = 0;
        while (sent < 200000 && link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)))
            ++sent;
        // Refused within a few thousand commands, each in microseconds; seconds would mean a block.
        QVERIFY2(clock.elapsed() < 10000, "sending blocked");
        QVERIFY(sent < 200000);
        const QStringList messages = problemsAfterHandler(problems);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0], "Not sent to the radio: FA00014000000;\nthe transmit buffer of "
                              "Serial port 1 (" +
                                  radio.linkPath() +
                                  ") is full: the radio is "
                                  "not taking data. Check the cable and that the radio is on.");
    }

    // A radio that takes nothing (switched off, or holding CTS low) is a
    // pseudo-terminal that nobody reads: the operator hears of it once, two
    // seconds after the write that was left waiting, by port and device; a
    // line that takes everything sets no alarm at all.
    void stuckLineIsReportedOncePerBurst()
    {
        TestClock clock;
        Radio radio(PseudoTerminal::Reading::WhenAsked);
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(link.openLink(radio.port()));
        QVERIFY(link.sendCommand(CatCommand::receiveOn(Receiver::VfoA)));
        QCOMPARE(clock.pendingAlarms(), 0);

        radio.far().fillTowardsRadio();
        QVERIFY(link.sendCommand(CatCommand::frequency(Vfo::A, 14000000)));
        QCOMPARE(clock.pendingAlarms(), 1);
        clock.advance(1.9);
        QVERIFY(problemsAfterHandler(problems).isEmpty());
        clock.advance(0.1);
        const QString stuck =
            "Serial port 1 (" + radio.linkPath() +
            ") is not taking data: the commands sent 2 "
            "seconds ago have not left " +
            radio.far().devicePath() +
            ". The radio is not accepting data (CTS is off): is it switched on, and is the "
            "cable wired for RTS/CTS? The commands wait and go out as soon as the radio takes "
            "them.";
        QCOMPARE(problemsAfterHandler(problems), QStringList{stuck});

        // Once for the burst: more commands into the stuck line say nothing more.
        QVERIFY(link.sendCommand(CatCommand::mode(Mode::USB)));
        QCOMPARE(clock.pendingAlarms(), 0);
        clock.advance(10);
        QVERIFY(problemsAfterHandler(problems).isEmpty());

        // The radio takes data again: what waited leaves in order, and the next
        // command goes straight through and ends the burst.
        QTRY_COMPARE(radio.commands(), QStringList({"FR0;", "FA00014000000;", "MD2;"}));
        QVERIFY(link.sendCommand(CatCommand::transmit()));
        QCOMPARE(radio.commands(), QStringList({"FR0;", "FA00014000000;", "MD2;", "TX;"}));
        QCOMPARE(clock.pendingAlarms(), 0);
        clock.advance(10);
        QVERIFY(problemsAfterHandler(problems).isEmpty());

        // A line that sticks again is a new burst, reported again.
        radio.far().fillTowardsRadio();
        QVERIFY(link.sendCommand(CatCommand::receive()));
        clock.advance(2);
        QCOMPARE(problemsAfterHandler(problems), QStringList{stuck});

        // Closing the port while bytes wait ends the check: nothing rings for
        // a port that is no longer held.
        QTRY_COMPARE(radio.commands().size(), 5);
        radio.far().fillTowardsRadio();
        QVERIFY(link.sendCommand(CatCommand::power(true)));
        QCOMPARE(clock.pendingAlarms(), 1);
        link.closeLink();
        QCOMPARE(clock.pendingAlarms(), 0);
        clock.advance(5);
        QVERIFY(problemsAfterHandler(problems).isEmpty());
    }

    // The port is opened under the device the link leads to, so the lock
    // file is the one other serial programs look for, and theirs is honoured:
    // a running holder is reported as using the port and its lock stays.
    void locksAreTheDevicesOwn_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("held");
        QTest::newRow("ten ASCII digits (uucp, lockdev)") << QByteArray("%10d\n") << true;
        QTest::newRow("four binary bytes") << QByteArray("binary") << true;
        QTest::newRow("a line per field (Qt)")
            << "%d\n" + QFile::encodeName(QCoreApplication::applicationFilePath()) + "\n" +
                   QSysInfo::machineHostName().toLatin1() + "\n"
            << true;
        // The program that locked the port has gone and its process id came to another.
        QTest::newRow("Qt's, of a program that has gone")
            << "%d\n/usr/bin/minicom\n" + QSysInfo::machineHostName().toLatin1() + "\n"
            << false;
    }

    void locksAreTheDevicesOwn()
    {
        QFETCH(QByteArray, format);
        QFETCH(bool, held);
        Radio radio;
        const QString device = radio.far().devicePath(); // /dev/pts/N
        const QString lockFile = "/run/lock/LCK.." + device.mid(5).replace('/', '_');
        if (!QFileInfo(QStringLiteral("/run/lock")).isWritable())
            QSKIP("the lock folder /run/lock cannot be written here");
        QVERIFY(!QFile::exists(lockFile));
        const auto removeLock = qScopeGuard([&lockFile] { QFile::remove(lockFile); });

        // Quillard's own lock, while it holds the port, is the device's.
        {
            SerialLink link;
            QVERIFY(link.openLink(radio.port()));
            QVERIFY(QFile::exists(lockFile));
        }
        QVERIFY(!QFile::exists(lockFile));

        // Another program holds the device.
        const pid_t holder = ::fork();
        if (holder == 0) {
            ::pause();
            ::_exit(0);
        }
        const qint32 pid = holder;
        const QByteArray lock = format == "binary"
                                    ? QByteArray(reinterpret_cast<const char*>(&pid), sizeof pid)
                                    : QString::asprintf(format.constData(), holder).toLatin1();
        {
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(lock);
        }
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        const bool opened = link.openLink(radio.port());
        const QStringList messages = problemsAfterHandler(problems);
        QFile left(lockFile);
        const QByteArray leftLock = left.open(QIODevice::ReadOnly) ? left.readAll() : QByteArray();
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        if (!held) {
            QVERIFY(opened);
            QVERIFY(messages.isEmpty());
            return;
        }
        QVERIFY(!opened);
        QCOMPARE(messages, QStringList{"Serial port 1 (" + radio.linkPath() +
                                       ") cannot be opened: " + radio.linkPath() + " (" + device +
                                       ") is in use by another program (tst_seriallink, process " +
                                       QString::number(holder) +
                                       "). Close that program and try again; if no program uses "
                                       "the port, delete its stale lock file " +
                                       lockFile + "."});
        QCOMPARE(leftLock, lock);

        // The holder has gone: its lock is stale and the port opens. (Qt
        // itself cannot read a binary lock and waits until it is 30 s old.)
        if (format == "binary")
            return;
        QVERIFY(link.open());
        QVERIFY(link.sendCommand(CatCommand::transmit()));
        QCOMPARE(radio.commands(), QStringList({"TX;"}));
        link.closeLink();
        QVERIFY(!QFile::exists(lockFile));
    }

    // The kernel makes /dev/ttyS0 to ttyS3 whether or not there is a UART
    // behind them: a port without one is named as such before any opening.
    void builtInPortWithoutHardware()
    {
        FakeMachine machine;
        machine.builtInPort(0, 0);
        const QString ttyS0 = machine.dev("ttyS0");
        SerialLink link;
        QSignalSpy problems(&link, &SerialLink::problem);
        QVERIFY(!link.openLink({1, 9600, ttyS0, QStringLiteral("point com1 at your device")}));
        QCOMPARE(problemsAfterHandler(problems),
                 QStringList{"Serial port 1 (" + ttyS0 + ") cannot be opened: " + ttyS0 +
                             " (/dev/null) has no serial port hardware behind it (Linux found no "
                             "UART there). Use a port that exists, or point com1 at your device"});
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
