#include "daemonprocess.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

DaemonProcess::~DaemonProcess()
{
    kill();
}

quint16 DaemonProcess::freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        qFatal("no free port on 127.0.0.1");
    return probe.serverPort();
}

bool DaemonProcess::startRigctld(const QString& device, quint16 port)
{
    m_port = port ? port : freePort();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(QStringLiteral("rigctld"),
                    {QStringLiteral("-m"), QStringLiteral("2016"), QStringLiteral("-r"), device,
                     QStringLiteral("-s"), QStringLiteral("9600"), QStringLiteral("-T"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-t"), QString::number(m_port)});
    if (!m_process.waitForStarted(5000))
        return false;
    return waitUntilAccepting(15000);
}

bool DaemonProcess::waitUntilAccepting(int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, m_port);
        if (probe.waitForConnected(200)) {
            probe.abort();
            return true;
        }
        // The stand-in answers rigctld's opening queries meanwhile; a short
        // step, as a daemon opens its rig in some tenths of a second.
        QTest::qWait(20);
    }
    return false;
}

void DaemonProcess::kill()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString DaemonProcess::output()
{
    return QString::fromLocal8Bit(m_process.readAll());
}
