// The screen-reader watch on a session bus of the test's own (a dbus-daemon
// started for it), where the test plays the AT-SPI bus launcher: it owns
// org.a11y.Bus, answers ScreenReaderEnabled of org.a11y.Status at
// /org/a11y/bus, and announces its changes as a screen reader's start and end
// make the real one do.

#include "platform/platform.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/prctl.h>

namespace {
const QString launcherName = QStringLiteral("org.a11y.Bus");
const QString launcherPath = QStringLiteral("/org/a11y/bus");
const QString statusInterface = QStringLiteral("org.a11y.Status");

class A11yStatus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.a11y.Status")
    Q_PROPERTY(bool ScreenReaderEnabled READ screenReaderEnabled)
    Q_PROPERTY(bool IsEnabled READ isEnabled)

public:
    bool screenReaderEnabled() const { return running; }
    bool isEnabled() const { return true; }
    bool running = false;
};

// What one watch has said, in order.
struct Heard {
    QList<bool> said;
    std::function<void(bool)> recorder()
    {
        return [this](bool running) { said.append(running); };
    }
};
} // namespace

class TestScreenReaderWatch : public QObject {
    Q_OBJECT

    QProcess m_daemon;
    QString m_address;
    A11yStatus m_status;

    QDBusConnection launcher() const { return QDBusConnection(QStringLiteral("launcher")); }

    // The launcher's announcement of changed properties of an interface.
    void announce(const QString& interface, const QVariantMap& changed)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            launcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("PropertiesChanged"));
        signal << interface << changed << QStringList();
        QVERIFY(launcher().send(signal));
    }

private slots:
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed (Debian: dbus)");
        // The bus ends with the test, even with one that crashes.
        m_daemon.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_daemon.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                QStringLiteral("--print-address=1")});
        QVERIFY(m_daemon.waitForStarted());
        while (!m_daemon.canReadLine())
            QVERIFY2(m_daemon.waitForReadyRead(10000), "dbus-daemon gave no address");
        m_address = QString::fromLatin1(m_daemon.readLine().trimmed());
        // The watch uses the session bus, which is read from here on first use.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toLatin1());
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("launcher"));
        QVERIFY(bus.isConnected());
        QVERIFY(bus.registerObject(launcherPath, &m_status, QDBusConnection::ExportAllProperties));
        QVERIFY(bus.registerService(launcherName));
    }

    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("launcher"));
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }

    void asksAtStartWithoutWaiting_data()
    {
        QTest::addColumn<bool>("running");
        QTest::newRow("screen reader running") << true;
        QTest::newRow("none") << false;
    }
    void asksAtStartWithoutWaiting()
    {
        QFETCH(bool, running);
        m_status.running = running;
        QObject context;
        Heard heard;
        Platform::watchScreenReader(&context, heard.recorder());
        // The answer comes from the event loop, never inside the call.
        QCOMPARE(heard.said, QList<bool>());
        QTRY_COMPARE(heard.said, QList<bool>({running}));
    }

    // Each change of ScreenReaderEnabled is followed, in order; other
    // properties and other interfaces say nothing about a screen reader. A
    // watch whose context has gone hears nothing more.
    void followsChangesForAsLongAsItsContextLives()
    {
        m_status.running = false;
        QObject context;
        auto* shortLived = new QObject;
        Heard heard;
        Heard heardShort;
        Platform::watchScreenReader(&context, heard.recorder());
        Platform::watchScreenReader(shortLived, heardShort.recorder());
        QTRY_COMPARE(heard.said, QList<bool>({false}));
        QTRY_COMPARE(heardShort.said, QList<bool>({false}));

        announce(statusInterface, {{QStringLiteral("IsEnabled"), false}});
        announce(QStringLiteral("org.a11y.Other"), {{QStringLiteral("ScreenReaderEnabled"), true}});
        announce(statusInterface, {{QStringLiteral("ScreenReaderEnabled"), true}});
        QTRY_COMPARE(heard.said, QList<bool>({false, true}));
        QTRY_COMPARE(heardShort.said, QList<bool>({false, true}));

        delete shortLived;
        announce(statusInterface, {{QStringLiteral("ScreenReaderEnabled"), false}});
        announce(statusInterface, {{QStringLiteral("ScreenReaderEnabled"), true}});
        // Both changes have reached the watch that lives, so they would have
        // reached the other by now.
        QTRY_COMPARE(heard.said, QList<bool>({false, true, false, true}));
        QCOMPARE(heardShort.said, QList<bool>({false, true}));
    }
};

QTEST_GUILESS_MAIN(TestScreenReaderWatch)
#include "tst_screenreaderwatch.moc"
