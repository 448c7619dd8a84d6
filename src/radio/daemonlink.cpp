#include "radio/daemonlink.h"

#include <QTimer>

namespace {
QString listed(const QList<QByteArray>& texts)
{
    QStringList words;
    for (const QByteArray& text : texts)
        words << QString::fromLatin1(text);
    return words.join(QLatin1Char(' '));
}

QString seconds(std::chrono::milliseconds span)
{
    return QString::number(std::chrono::duration<double>(span).count());
}
} // namespace

DaemonLink::DaemonLink(QObject* parent) : RadioLink(parent), m_socket(this)
{
    connect(&m_socket, &QTcpSocket::connected, this, &DaemonLink::onConnected);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, &DaemonLink::onError);
    connect(&m_socket, &QTcpSocket::disconnected, this, &DaemonLink::onDisconnected);
    connect(&m_socket, &QTcpSocket::readyRead, this, [this] { readReplies(); });
}

DaemonLink::~DaemonLink()
{
    m_socket.disconnect(this);
    m_socket.abort();
}

void DaemonLink::configure(const DaemonSettings& settings)
{
    if (settings == m_settings)
        return;
    closeLink();
    m_settings = settings;
}

QString DaemonLink::address() const
{
    return QStringLiteral("%1:%2").arg(m_settings.host).arg(m_settings.tcpPort);
}

QString DaemonLink::portDescription() const
{
    return QStringLiteral("Port %1 through %2 at %3")
        .arg(QString::number(m_settings.port), daemonName(), address());
}

bool DaemonLink::open()
{
    m_open = true;
    if (m_socket.state() == QAbstractSocket::UnconnectedState)
        connectToDaemon();
    return true;
}

void DaemonLink::connectToDaemon()
{
    resetReplies();
    m_socket.connectToHost(m_settings.host, m_settings.tcpPort);
    // A host that never answers leaves the connection pending: no freeze, a
    // message when the alarm rings. The socket may have failed at once.
    if (m_socket.state() != QAbstractSocket::UnconnectedState &&
        m_socket.state() != QAbstractSocket::ConnectedState)
        m_connectAlarm =
            Clock::current().alarmAfter(ConnectWithin, this, [this] { onConnectAlarm(); });
}

bool DaemonLink::sendCommand(const CatCommand& command)
{
    if (!command.isValid()) {
        refuse(command, QStringLiteral("Quillard made a command that the radio does not take; "
                                       "nothing was sent."));
        return false;
    }
    if (!m_open) {
        refuse(command, QStringLiteral("%1 is not open.").arg(portDescription()));
        return false;
    }
    m_queued.append(command.text());
    if (m_socket.state() == QAbstractSocket::UnconnectedState)
        connectToDaemon(); // the first command after a fault, or after the owner opened
    if (!gathersCommands()) {
        pushOut();
    } else if (!m_pushScheduled) {
        // The rest of the handler's commands join this one; a window flushes
        // its link before it plays a cue.
        m_pushScheduled = true;
        QTimer::singleShot(0, this, [this] {
            m_pushScheduled = false;
            pushOut();
        });
    }
    return true;
}

void DaemonLink::flush()
{
    pushOut();
}

void DaemonLink::pushOut()
{
    if (m_socket.state() != QAbstractSocket::ConnectedState || m_queued.isEmpty())
        return;
    writeQueued();
    m_socket.flush();
}

void DaemonLink::handedOver(const QList<QByteArray>& texts)
{
    m_unacknowledged.append(texts);
    armAcknowledgeAlarm();
}

void DaemonLink::armAcknowledgeAlarm()
{
    if (!m_acknowledgeAlarm && !m_unacknowledged.isEmpty())
        m_acknowledgeAlarm =
            Clock::current().alarmAfter(AcknowledgedWithin, this, [this] { onAcknowledgeAlarm(); });
}

void DaemonLink::acknowledged()
{
    if (m_unacknowledged.isEmpty())
        return;
    m_unacknowledged.removeFirst();
    // Each reply gives the next command a full wait of its own.
    m_acknowledgeAlarm.reset();
    armAcknowledgeAlarm();
    if (m_unacknowledged.isEmpty() && m_queued.isEmpty()) {
        m_silenceReported = false;
        emit commEvent();
    }
}

void DaemonLink::refused(const QString& why, bool reachedRadio)
{
    if (m_unacknowledged.isEmpty())
        return;
    const QList<QByteArray> texts = m_unacknowledged.first();
    if (reachedRadio)
        report(QStringLiteral("%1 answered an error to %2: %3.")
                   .arg(portDescription(), listed(texts), why));
    else
        report(QStringLiteral("Not sent to the radio: %1\n%2").arg(listed(texts), why));
    acknowledged();
}

void DaemonLink::garbled(const QString& what)
{
    fail(QStringLiteral("%1 answered something Quillard does not understand (%2), so the "
                        "connection was dropped. Is it really %3 listening at %4?")
             .arg(portDescription(), what, daemonName(), address()));
}

void DaemonLink::onConnected()
{
    m_connectAlarm.reset();
    m_lastOpenProblem.clear();
    // Commands are small and each should leave at once.
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (!gathersCommands() || !m_pushScheduled)
        pushOut();
}

void DaemonLink::onConnectAlarm()
{
    if (m_socket.state() == QAbstractSocket::ConnectedState)
        return;
    fail(QStringLiteral("%1: %2 does not answer; no connection within %3 seconds. Check that "
                        "the computer at %2 is on and reachable, and that %4 listens on port "
                        "%5 there (a radio at another computer is reached through an SSH "
                        "tunnel).")
             .arg(portDescription(), m_settings.host, seconds(ConnectWithin), daemonName())
             .arg(m_settings.tcpPort));
}

void DaemonLink::onAcknowledgeAlarm()
{
    if (m_unacknowledged.isEmpty() || m_silenceReported)
        return;
    m_silenceReported = true;
    QList<QByteArray> waiting;
    for (const QList<QByteArray>& call : std::as_const(m_unacknowledged))
        waiting += call;
    report(QStringLiteral("%1 has not confirmed %2 within %3 seconds: another program is "
                          "holding the radio, or the radio does not answer %4 (is it switched "
                          "on?). The commands stay with %4 and reach the radio when it is "
                          "free; Quillard does not send them again.")
               .arg(portDescription(), listed(waiting), seconds(AcknowledgedWithin), daemonName()));
}

QString DaemonLink::notRefusedReason(QAbstractSocket::SocketError error) const
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("%1: the host name %2 is not known. Check the host in the port's "
                              "settings.")
            .arg(portDescription(), m_settings.host);
    case QAbstractSocket::NetworkError:
        return QStringLiteral("%1: the network to %2 is unreachable (%3).")
            .arg(portDescription(), m_settings.host, m_socket.errorString());
    default:
        return QStringLiteral("%1: %2.").arg(portDescription(), m_socket.errorString());
    }
}

void DaemonLink::onError(QAbstractSocket::SocketError error)
{
    if (m_socket.state() == QAbstractSocket::ConnectedState &&
        error != QAbstractSocket::RemoteHostClosedError)
        return; // a passing fault (a full buffer); a real loss closes the socket
    if (error == QAbstractSocket::ConnectionRefusedError) {
        fail(QStringLiteral("%1: nothing answers at %2. Is %3 running? %4")
                 .arg(portDescription(), address(), daemonName(), startAdvice()));
        return;
    }
    if (error == QAbstractSocket::RemoteHostClosedError) {
        onDisconnected();
        return;
    }
    fail(notRefusedReason(error));
}

void DaemonLink::onDisconnected()
{
    if (m_unacknowledged.isEmpty() && m_queued.isEmpty()) {
        // Nothing was lost: the next command connects again, and says so if it cannot.
        dropConnection();
        return;
    }
    fail(QStringLiteral("%1: the connection to %2 was lost (was it stopped?).")
             .arg(portDescription(), daemonName()));
}

void DaemonLink::fail(const QString& reason)
{
    QList<QByteArray> mayBeLost;
    for (const QList<QByteArray>& call : std::as_const(m_unacknowledged))
        mayBeLost += call;
    const QList<QByteArray> dropped = std::exchange(m_queued, {});
    dropConnection();
    QString message = reason;
    if (!mayBeLost.isEmpty())
        message += QStringLiteral("\nMay not have reached the radio: %1").arg(listed(mayBeLost));
    if (!dropped.isEmpty())
        message += QStringLiteral("\nNot sent to the radio: %1 (dropped, so they cannot "
                                  "reach it late)")
                       .arg(listed(dropped));
    message += QStringLiteral("\nQuillard connects again with the next command.");
    // An opening that fails again for the same reason, with no command at
    // stake, is not shown again: the box that showed it would cause the next.
    if (mayBeLost.isEmpty() && dropped.isEmpty()) {
        if (message == m_lastOpenProblem)
            return;
        m_lastOpenProblem = message;
    }
    report(message);
}

void DaemonLink::dropConnection()
{
    m_unacknowledged.clear();
    m_connectAlarm.reset();
    m_acknowledgeAlarm.reset();
    m_silenceReported = false;
    // No signal of this socket may start another round of fault handling.
    const QSignalBlocker quiet(&m_socket);
    m_socket.abort();
    resetReplies();
}

void DaemonLink::closeLink()
{
    m_open = false;
    m_queued.clear();
    dropConnection();
}

void DaemonLink::refuse(const CatCommand& command, const QString& reason)
{
    m_unsent.append(command.isValid() ? QString::fromLatin1(command.text())
                                      : QStringLiteral("(an invalid command)"));
    m_unsentReason = reason;
    report({});
}

void DaemonLink::report(const QString& message)
{
    if (!message.isEmpty())
        m_pending.append(message);
    if (m_reportScheduled)
        return;
    m_reportScheduled = true;
    // After the current handler, so a burst's faults make one message.
    QTimer::singleShot(0, this, &DaemonLink::emitPending);
}

void DaemonLink::emitPending()
{
    m_reportScheduled = false;
    QStringList parts = std::exchange(m_pending, {});
    if (!m_unsent.isEmpty()) {
        parts.append(QStringLiteral("Not sent to the radio: %1\n%2")
                         .arg(m_unsent.join(QLatin1Char(' ')), m_unsentReason));
        m_unsent.clear();
    }
    if (!parts.isEmpty())
        emit problem(parts.join(QStringLiteral("\n\n")));
}
