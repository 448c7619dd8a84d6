// comN.conf: how a port reaches the radio, as an operator writes it by hand
// or the settings window saves it; every unusable value named with the way
// to put it right, and nothing quietly taken for the serial port.

#include "session/portroute.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPortRoute : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString fileWith(const QByteArray& text)
    {
        const QString path = m_dir.filePath(QStringLiteral("com1.conf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(text);
        return path;
    }

private slots:
    void handWrittenFiles_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("via");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("tcpPort");
        QTest::addColumn<bool>("hardwareHandshake");
        QTest::newRow("rigctld here")
            << QByteArray("via=rigctld\n") << 1 << "127.0.0.1" << 4532 << true;
        QTest::newRow("flrig here")
            << QByteArray("via=flrig\r\n") << 2 << "127.0.0.1" << 12345 << true;
        QTest::newRow("rigctld through a tunnel")
            << QByteArray("[General]\nvia = rigctld\nhost = localhost\nport = 14532\n") << 1
            << "localhost" << 14532 << true;
        QTest::newRow("three-wire cable")
            << QByteArray("via=serial\nhandshake=none\n") << 0 << "127.0.0.1" << 0 << false;
        QTest::newRow("upper case")
            << QByteArray("via=RIGCTLD\n") << 1 << "127.0.0.1" << 4532 << true;
    }
    void handWrittenFiles()
    {
        QFETCH(QByteArray, text);
        const PortRoute route = readPortRoute(fileWith(text));
        QVERIFY2(route.problem.isEmpty(), qPrintable(route.problem));
        QFETCH(int, via);
        QCOMPARE(static_cast<int>(route.via), via);
        QFETCH(QString, host);
        QCOMPARE(route.host, host);
        QFETCH(int, tcpPort);
        QCOMPARE(route.tcpPort, tcpPort);
        QFETCH(bool, hardwareHandshake);
        QCOMPARE(route.hardwareHandshake, hardwareHandshake);
    }

    void noFileIsTheSerialPort()
    {
        const PortRoute route = readPortRoute(m_dir.filePath(QStringLiteral("com3.conf")));
        QVERIFY(route.problem.isEmpty());
        QCOMPARE(route.via, PortRoute::Via::Serial);
        QVERIFY(route.hardwareHandshake);
    }

    void unusableValuesAreNamed_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("misspelt daemon") << QByteArray("via=rigctl\n")
                                         << "via=rigctl is not usable: it is serial, rigctld "
                                            "or flrig. Correct it, or delete the file";
        QTest::newRow("port out of range")
            << QByteArray("via=rigctld\nport=70000\n")
            << "port=70000 is not usable: it is a TCP port, 1 to 65535";
        QTest::newRow("port not a number")
            << QByteArray("via=flrig\nport=12345x\n") << "port=12345x is not usable";
        QTest::newRow("handshake") << QByteArray("handshake=xonxoff\n")
                                   << "handshake=xonxoff is not usable: it is rtscts (RTS/CTS "
                                      "wired) or none (a three-wire cable)";
    }
    void unusableValuesAreNamed()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, named);
        const QString path = fileWith(text);
        const PortRoute route = readPortRoute(path);
        QVERIFY2(route.problem.contains(named), qPrintable(route.problem));
        QVERIFY2(route.problem.contains(path), qPrintable(route.problem));
    }

    // What the settings window saves reads back as it was, and a file that
    // was a daemon's loses the daemon's keys when it becomes serial again.
    void savedAndReadBack()
    {
        const QString path = m_dir.filePath(QStringLiteral("sub/com2.conf"));
        PortRoute flrig;
        flrig.via = PortRoute::Via::Flrig;
        flrig.host = QStringLiteral("10.1.2.3");
        flrig.tcpPort = 12346;
        QCOMPARE(writePortRoute(flrig, path), QString());
        PortRoute read = readPortRoute(path);
        QCOMPARE(read.via, PortRoute::Via::Flrig);
        QCOMPARE(read.host, QStringLiteral("10.1.2.3"));
        QCOMPARE(read.tcpPort, 12346);

        PortRoute serial;
        serial.hardwareHandshake = false;
        QCOMPARE(writePortRoute(serial, path), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(!text.contains("host") && text.contains("via=serial") &&
                     text.contains("handshake=none"),
                 text.constData());
    }
};

QTEST_GUILESS_MAIN(TestPortRoute)
#include "tst_portroute.moc"
