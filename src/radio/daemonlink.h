#pragma once

// A link to the radio through a daemon that owns its serial port and shares
// it between programs (Hamlib's rigctld, flrig), over one TCP connection.
// The daemon passes Quillard's bytes to the radio unchanged; each protocol
// (RigctldLink, FlrigLink) says how commands are wrapped and how the daemon
// acknowledges them.
//
// Data flow: sendCommand() queues the command; once the connection is up the
// protocol wraps it and writes it to the socket, flushed at once, and the
// command waits among the unacknowledged ones until the daemon's reply for it
// comes in (replies are read as they arrive, in order; nothing blocks). When
// every command has been acknowledged the link raises commEvent().
//
// Faults are reported once per burst, after the current handler, naming the
// daemon and its address: nothing listening, no connection within
// ConnectWithin, no acknowledgement within AcknowledgedWithin (another
// program holds the radio), the connection lost (the unacknowledged commands
// may not have reached the radio; the queued ones are dropped, never sent
// late), an error the daemon answers. No command is ever sent twice. The link
// stays open for its owner: the next command after a fault connects again.

#include "clock/clock.h"
#include "radio/radiolink.h"

#include <QList>
#include <QStringList>
#include <QTcpSocket>

#include <chrono>
#include <memory>

// Where a daemon listens, and what to say about the radio behind it.
struct DaemonSettings {
    int port = 0; // the port number as the operator knows it (1)
    QString host = QStringLiteral("127.0.0.1");
    quint16 tcpPort = 0;
    // The serial device and rate the daemon is to serve, for the advice on
    // starting one; empty and 0 when not known.
    QString device;
    int baud = 0;

    bool operator==(const DaemonSettings& other) const = default;
};

class DaemonLink : public RadioLink {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds ConnectWithin{4000};
    static constexpr std::chrono::milliseconds AcknowledgedWithin{5000};

    ~DaemonLink() override;

    // Settings equal to the ones in use change nothing: a connection and what
    // has been reported stay.
    void configure(const DaemonSettings& settings);
    const DaemonSettings& settings() const { return m_settings; }

    bool isOpen() const override { return m_open; }
    bool open() override;
    bool sendCommand(const CatCommand& command) override;
    // What the radio sends stays with the daemon.
    void drainInput() override {}
    qint64 inBufferCount() const override { return 0; }
    void closeLink() override;
    void flush() override;
    // "Port 1 through rigctld at 127.0.0.1:4532"
    QString portDescription() const override;

protected:
    explicit DaemonLink(QObject* parent);

    // "rigctld", "flrig"
    virtual QString daemonName() const = 0;
    // What to do when nothing listens at the address.
    virtual QString startAdvice() const = 0;
    // Whether a handler's commands wait for the end of the handler (or a
    // flush) and go together, rather than each at once.
    virtual bool gathersCommands() const = 0;
    // Writes queued commands to the socket (takeQueued(), then handedOver()).
    virtual void writeQueued() = 0;
    // Reads the daemon's replies (acknowledged(), refused()).
    virtual void readReplies() = 0;
    // Forgets any half-read reply: the connection is new.
    virtual void resetReplies() = 0;

    QTcpSocket& socket() { return m_socket; }
    bool hasQueued() const { return !m_queued.isEmpty(); }
    bool awaitingReply() const { return !m_unacknowledged.isEmpty(); }
    QList<QByteArray> takeQueued() { return std::exchange(m_queued, {}); }
    // These commands went out together and are acknowledged by one reply.
    void handedOver(const QList<QByteArray>& texts);
    // The oldest handed-over commands are acknowledged.
    void acknowledged();
    // The daemon answered the oldest handed-over commands with an error.
    // reachedRadio: whether they may still have reached the radio.
    void refused(const QString& why, bool reachedRadio);
    // The daemon said something this link does not understand: the
    // connection is dropped, as a lost one.
    void garbled(const QString& what);
    QString address() const;

private:
    void connectToDaemon();
    void pushOut();
    void onConnected();
    void onError(QAbstractSocket::SocketError error);
    void onDisconnected();
    void onConnectAlarm();
    void onAcknowledgeAlarm();
    void armAcknowledgeAlarm();
    void fail(const QString& reason);
    void dropConnection();
    void refuse(const CatCommand& command, const QString& reason);
    void report(const QString& message);
    void emitPending();
    QString notRefusedReason(QAbstractSocket::SocketError error) const;

    QTcpSocket m_socket;
    DaemonSettings m_settings;
    bool m_open = false;
    bool m_pushScheduled = false;
    QList<QByteArray> m_queued;                // not yet written
    QList<QList<QByteArray>> m_unacknowledged; // written, reply awaited, oldest first
    std::unique_ptr<Clock::Alarm> m_connectAlarm;
    std::unique_ptr<Clock::Alarm> m_acknowledgeAlarm;
    bool m_silenceReported = false; // for the commands awaiting a reply now
    QString m_lastOpenProblem;

    QStringList m_pending;
    QStringList m_unsent;
    QString m_unsentReason;
    bool m_reportScheduled = false;
};
