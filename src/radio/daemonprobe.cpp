#include "radio/daemonprobe.h"

#include "radio/daemonfaults.h"

#include <QRegularExpression>

DaemonProbe::DaemonProbe(QObject* parent) : QObject(parent), m_socket(this)
{
    connect(&m_socket, &QTcpSocket::connected, this, &DaemonProbe::onConnected);
    connect(&m_socket, &QTcpSocket::readyRead, this, &DaemonProbe::onReadyRead);
    connect(
        &m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::ConnectionRefusedError && m_daemon == Daemon::Rigctld)
                finish(false, QStringLiteral("Nothing answers at %1: rigctld is not running there. "
                                             "Start it for the radio's serial device, for "
                                             "example:\n%2")
                                  .arg(address(), DaemonFaults::rigctldCommand(m_device, m_baud)));
            else if (error == QAbstractSocket::ConnectionRefusedError)
                finish(false, QStringLiteral("Nothing answers at %1: flrig is not running there, "
                                             "or not connected to its radio yet.")
                                  .arg(address()));
            else
                finish(false, QStringLiteral("%1 did not answer at %2 (%3).")
                                  .arg(name(), address(), m_socket.errorString()));
        });
}

QString DaemonProbe::name() const
{
    return m_daemon == Daemon::Rigctld ? QStringLiteral("rigctld") : QStringLiteral("flrig");
}

QString DaemonProbe::address() const
{
    return QStringLiteral("%1:%2").arg(m_host).arg(m_port);
}

void DaemonProbe::start(Daemon daemon, const QString& host, quint16 port, const QString& device,
                        const QString& baud)
{
    m_socket.abort();
    m_daemon = daemon;
    m_host = host;
    m_port = port;
    m_device = device;
    m_baud = baud;
    m_reply.clear();
    m_running = true;
    m_alarm = Clock::current().alarmAfter(AnswerWithin, this, [this] {
        finish(false, QStringLiteral("%1 did not answer at %2 within %3 seconds: is the computer "
                                     "on and reachable, and is it %1 listening there?")
                          .arg(name(), address())
                          .arg(std::chrono::duration<double>(AnswerWithin).count()));
    });
    m_socket.connectToHost(host, port);
}

void DaemonProbe::onConnected()
{
    if (m_daemon == Daemon::Rigctld) {
        m_socket.write("+\\dump_caps\n");
        return;
    }
    const QByteArray body = "<?xml version=\"1.0\"?><methodCall><methodName>rig.get_xcvr"
                            "</methodName></methodCall>";
    m_socket.write("POST /RPC2 HTTP/1.1\r\nHost: " + address().toLatin1() +
                   "\r\nContent-Type: text/xml\r\nContent-Length: " +
                   QByteArray::number(body.size()) + "\r\n\r\n" + body);
}

void DaemonProbe::onReadyRead()
{
    m_reply += m_socket.readAll();
    if (m_daemon == Daemon::Rigctld) {
        if (!m_reply.contains("RPRT "))
            return;
        static const QRegularExpression model(QStringLiteral("Model name:\\s*([^\\n]*)"));
        static const QRegularExpression maker(QStringLiteral("Mfg name:\\s*([^\\n]*)"));
        const QString text = QString::fromLatin1(m_reply);
        const QString radio =
            (maker.match(text).captured(1) + QLatin1Char(' ') + model.match(text).captured(1))
                .trimmed();
        finish(true, QStringLiteral("rigctld answers at %1 and serves a %2.")
                         .arg(address(), radio.isEmpty() ? QStringLiteral("radio") : radio));
        return;
    }
    if (!m_reply.contains("</methodResponse>"))
        return;
    static const QRegularExpression value(QStringLiteral("<value>(?:<string>)?([^<]*)"));
    const QString xcvr = value.match(QString::fromUtf8(m_reply)).captured(1).trimmed();
    finish(true, QStringLiteral("flrig answers at %1, set up for the %2.")
                     .arg(address(), xcvr.isEmpty() ? QStringLiteral("(no) transceiver") : xcvr));
}

void DaemonProbe::finish(bool answered, const QString& sentence)
{
    if (!m_running)
        return;
    m_running = false;
    m_alarm.reset();
    {
        const QSignalBlocker quiet(&m_socket);
        m_socket.abort();
    }
    emit finished(answered, sentence);
}
