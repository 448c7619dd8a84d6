// The platform seam on Linux: where the settings folder is, which device a
// port number names, and what a path is as far as a serial port goes.

#include "platform/platform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir m_config;

private slots:
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
                 "link the port to your serial device, for example: ln -s /dev/ttyUSB0 " +
                     folder + "/com3");
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
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
