#pragma once

// A window's own link to the radio. Six windows talk to the radio, each owns a
// SerialLink, and all are configured from the same settings, so they address
// the same port; only one holds it at a time (the main window closes its link
// before it opens another radio window, and reopens it when it is active again).
//
// Data flow: a control's handler calls sendCommand(), which queues the framed
// command as one write; Qt's serial port writes it from the event loop, and
// PlayCue() flushes every open link before a cue blocks that loop. When the
// transmit buffer has emptied the link raises commEvent(), on which the main
// and memory windows drain and discard what the radio sent.
//
// Faults (a port that cannot be opened, a device that vanishes, a command that
// could not be written) never throw and never block: the link closes itself
// where needed and raises problem() once, after the current handler, with one
// message naming the port number, the device path and the reason. The owning
// window shows it. An opening that fails again for the same reason is not
// reported twice, so a message shown from a window's activation cannot cause
// an endless series of messages.

#include "app/settings.h"
#include "radio/catcommand.h"

#include <QObject>
#include <QSerialPort>
#include <QStringList>

class SerialLink : public QObject {
    Q_OBJECT

public:
    static constexpr int OutBufferSize = 4096;
    static constexpr int InBufferSize = 2048;

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override; // releases the port if it is still held

    // Port number, line settings, buffers, notification, RTS and RTS/CTS
    // handshaking, without opening.
    void configure(const RadioSettings& settings);
    bool isOpen() const;
    // Opens the configured port. Returns whether it is open afterwards.
    bool open();
    // configure() then open(): the whole opening sequence.
    bool openLink(const RadioSettings& settings);
    // How every radio window but the main one takes the port when it loads:
    // reads qd.cfg afresh, configures, and opens when not already open. A
    // settings file that cannot be used is not opened with; its problem is
    // returned for the window to show (commands then say why they were not sent).
    QString openFromSettingsFile();
    // Writes one framed command as one write. Returns false, and reports it,
    // when the command could not be queued for the port.
    bool sendCommand(const CatCommand& command);
    // Reads and discards whatever the radio has sent.
    void drainInput();
    // Bytes from the radio waiting to be read (InBufferCount).
    qint64 inBufferCount() const;
    void closeLink();

    // Pushes queued bytes out to the device now.
    void flush();
    // flush() on every link that exists; PlayCue calls it before each cue.
    static void flushAll();

    // "serial port 2 (/dev/ttyS1)", for messages.
    QString portDescription() const;
    const RadioSettings& settings() const { return m_settings; }

signals:
    // The transmit buffer has emptied (the OnComm notification).
    void commEvent();
    // Something went wrong that the operator must learn; one message per burst.
    void problem(const QString& message);

private:
    void onBytesWritten();
    void onError(QSerialPort::SerialPortError error);
    QString openFailureReason() const;
    QString settingsFileAdvice() const;
    void refuse(const CatCommand& command, const QString& reason);
    void takeBackUnwritten();
    void report(const QString& message);
    void emitPending();

    QSerialPort m_port;
    RadioSettings m_settings;
    QString m_devicePath;
    QString m_settingsProblem;
    QString m_lastOpenProblem;
    QStringList m_unsent;
    // Commands handed to the port whose bytes may not all have left yet; when
    // the device fails, those still queued are reported as not sent.
    QList<QByteArray> m_inFlight;
    QString m_unsentReason; // why the commands of the current report were not sent
    QString m_closedReason; // why the port is closed, when it did not close on request
    QStringList m_pending;
    bool m_reportScheduled = false;
};
