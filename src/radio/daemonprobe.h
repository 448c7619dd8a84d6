#pragma once

// "Test the connection": asks a daemon at an address a question that it
// answers itself, without a word to the radio (rigctld: the capabilities of
// the radio model it serves; flrig: the transceiver it is set up for), and
// says in one sentence what answered, or why nothing did. Never blocks; gives
// up after AnswerWithin.

#include "clock/clock.h"

#include <QObject>
#include <QTcpSocket>

#include <chrono>
#include <memory>

class DaemonProbe : public QObject {
    Q_OBJECT

public:
    enum class Daemon { Rigctld, Flrig };
    static constexpr std::chrono::milliseconds AnswerWithin{5000};

    explicit DaemonProbe(QObject* parent = nullptr);

    // The device and rate go into the advice on starting rigctld.
    void start(Daemon daemon, const QString& host, quint16 port, const QString& device = {},
               const QString& baud = {});

signals:
    void finished(bool answered, const QString& sentence);

private:
    void onConnected();
    void onReadyRead();
    void finish(bool answered, const QString& sentence);
    QString name() const;
    QString address() const;

    QTcpSocket m_socket;
    Daemon m_daemon = Daemon::Rigctld;
    QString m_host;
    quint16 m_port = 0;
    QString m_device;
    QString m_baud;
    QByteArray m_reply;
    bool m_running = false;
    std::unique_ptr<Clock::Alarm> m_alarm;
};
