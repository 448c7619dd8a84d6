// The platform seam on Linux: where the settings folder is, which device a
// port number names, and what a path is as far as a serial port goes, on a
// machine of the test's own making (a fake /sys, /dev and by-id folder).

#include "platform/platform.h"

#include "platform/fakemachine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
    // A lock that names its process in four binary bytes is read as binary
    // even where those bytes look like digits: process 12345 is 0x3039, the
    // bytes "90" and two NULs, which must not read as process 90.
    void binaryLockLookingLikeDigits()
    {
        if (!QFileInfo(QStringLiteral("/run/lock")).isWritable())
            QSKIP("the lock folder /run/lock cannot be written here");
        const QString device =
            QStringLiteral("/dev/quillard-test-%1").arg(QCoreApplication::applicationPid());
        const QString lockFile =
            QFileInfo(QStringLiteral("/run/lock")).canonicalFilePath() +
            QStringLiteral("/LCK..quillard-test-%1").arg(QCoreApplication::applicationPid());
        {
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(QByteArray("90\0\0", 4)), qint64(4));
        }
        const auto stale = Platform::staleSerialLock(device);
        const auto holder = Platform::serialLockHolder(device);
        QFile::remove(lockFile);
        QVERIFY(stale || holder);
        QCOMPARE(stale ? stale->pid : holder->pid, qint64(12345));
    }

    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path())); }

    void settingsFolderFollowsXdgConfigHome()
    {
        QCOMPARE(Platform::settingsDirectory(), m_config.path() + "/quillard");
    }

    // Port N names <settings folder>/comN when that exists (a link to the
    // real device, or to a radio served elsewhere), else the Nth serial port.
    void portNumbersNameDevices()
    {
        const QString folder = m_config.path() + "/quillard";
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(Platform::serialDevicePath(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(Platform::serialDevicePath(3), QStringLiteral("/dev/ttyS2"));
        QVERIFY(QFile::link(QStringLiteral("/dev/ttyUSB7"), folder + "/com3"));
        QCOMPARE(Platform::serialDevicePath(3), folder + "/com3"); // dangling, still the port
        QCOMPARE(Platform::serialDevicePath(4), QStringLiteral("/dev/ttyS3"));
        QCOMPARE(Platform::serialRelinkAdvice(3),
                 "link the port to your serial device, for example: ln -s /dev/ttyUSB0 " + folder +
                     "/com3");
        QFile::remove(folder + "/com3");
    }

    void deviceKinds()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        QCOMPARE(Platform::deviceKind("/dev/null"), Platform::DeviceKind::CharacterDevice);
        QCOMPARE(Platform::deviceKind(plain.fileName()), Platform::DeviceKind::NotADevice);
        QCOMPARE(Platform::deviceKind(dir.path()), Platform::DeviceKind::NotADevice);
        QCOMPARE(Platform::deviceKind(dir.filePath("nothing")), Platform::DeviceKind::Missing);
        QVERIFY(QFile::link("/dev/null", dir.filePath("linked")));
        QCOMPARE(Platform::deviceKind(dir.filePath("linked")),
                 Platform::DeviceKind::CharacterDevice);
        QVERIFY(Platform::mayReadAndWrite("/dev/null"));
        QVERIFY(!Platform::mayReadAndWrite(dir.filePath("nothing")));
    }

    // A machine with a UART behind ttyS0, none behind ttyS1, no ttyS2 at all,
    // and one USB adapter plugged in (a second one's by-id link is left over).
    void serialHardwareOfAFakeMachine()
    {
        FakeMachine machine;
        machine.builtInPort(0, 4);
        machine.builtInPort(1, 0);
        QVERIFY(QFile::link("/dev/null", machine.dev("ttyUSB0")));
        machine.adapter("usb-FTDI_FT232R_A50285BI-if00-port0", "../../ttyUSB0");
        machine.adapter("usb-Prolific_PL2303-if00-port0", "../../ttyUSB9");
        const Platform::SystemFolders& fake = machine.folders();

        QCOMPARE(Platform::serialDevicePath(1), fake.dev + "/ttyS0");
        QCOMPARE(Platform::serialHardware(fake.dev + "/ttyS0"), Platform::SerialHardware::Uart);
        QCOMPARE(Platform::serialHardware(fake.dev + "/ttyS1"), Platform::SerialHardware::NoUart);
        QCOMPARE(Platform::serialHardware(fake.dev + "/ttyS2"), Platform::SerialHardware::Missing);
        QCOMPARE(Platform::serialHardware(fake.dev + "/ttyUSB0"), Platform::SerialHardware::Other);
        // A comN link to a built-in port is that port.
        const QString folder = m_config.path() + "/quillard";
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::link(fake.dev + "/ttyS1", folder + "/com2"));
        QCOMPARE(Platform::serialHardware(folder + "/com2"), Platform::SerialHardware::NoUart);
        QCOMPARE(Platform::serialDeviceBehind(folder + "/com2"), "/dev/null");

        const QList<Platform::SerialAdapter> adapters = Platform::serialAdapters();
        QCOMPARE(adapters.size(), 1);
        QCOMPARE(adapters[0].name, "usb-FTDI_FT232R_A50285BI-if00-port0");
        QCOMPARE(adapters[0].path, fake.serialById + "/usb-FTDI_FT232R_A50285BI-if00-port0");
        QCOMPARE(adapters[0].device, "/dev/null");

        // Linking a port replaces a link that leads nowhere, never a file.
        QVERIFY(QFile::link(machine.path("gone"), folder + "/com3"));
        QCOMPARE(Platform::linkSerialPort(3, adapters[0].path), QString());
        QCOMPARE(QFileInfo(folder + "/com3").symLinkTarget(), adapters[0].path);
        QFile file(folder + "/com4");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!Platform::linkSerialPort(4, adapters[0].path).isEmpty());
        QVERIFY(!QFileInfo(folder + "/com4").isSymLink());

        for (const char* name : {"com2", "com3", "com4"})
            QFile::remove(folder + "/" + name);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
