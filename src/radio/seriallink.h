#pragma once

// The serial transport of a window's link to the radio: one serial port,
// send-only. Six windows talk to the radio, each through a link of its own;
// all are configured alike, so they address the same port, and only one holds
// it at a time (the program's port owner sees to that; the link itself knows
// no window and no settings file, only the port it is given).
//
// Data flow: a control's handler calls sendCommand(), which writes the framed
// command as one write and hands it to the device at once, so a cue that
// blocks the event loop afterwards cannot hold it back. When the transmit
// buffer has emptied the link raises commEvent(), on which the main and memory
// windows drain and discard what the radio sent.
//
// Faults (a port that cannot be opened, a device that vanishes, a command that
// could not be written) never throw and never block: the link closes itself
// where needed and raises problem() once, after the current handler, with one
// message naming the port number, the device path and the reason. The owning
// window shows it. An opening that fails again for the same reason is not
// reported twice, so a message shown from a window's activation cannot cause
// an endless series of messages.
//
// A line that takes nothing (a radio that is off or holds CTS low) is noticed
// without polling: a write that leaves bytes waiting sets one alarm on the
// Clock, and if none of them has left when it rings, the link says so
// once for that burst. A later write that finds everything gone starts afresh.
//
// The port is opened under the device a link such as comN leads to, so the
// lock file other serial programs look for is the device's own, and a lock
// another running program holds is honoured.

#include "clock/clock.h"
#include "radio/catcommand.h"
#include "radio/radiolink.h"

#include <QSerialPort>
#include <QStringList>

#include <memory>

// The port a link is to use.
struct LinkSettings {
    int port = 0;   // the port number as the operator knows it (1); 0 when the settings name none
    int baud = 0;   // bits per second (9600); no parity, 8 data bits, 1 stop bit
    QString device; // what that port names on this machine ("/dev/ttyS0")
    // How the operator can point the port at another device, for messages
    // about a missing or wrong device; may be empty.
    QString relinkAdvice;
    // RTS/CTS as the radio wants it; off for a three-wire cable, where CTS is
    // never raised and every byte would wait.
    bool hardwareHandshake = true;
    // What the settings say where no port number could be read, as messages
    // quote it (a short printable excerpt); empty when port is set.
    QString unreadablePort = {};
};

class SerialLink : public RadioLink {
    Q_OBJECT

public:
    static constexpr int OutBufferSize = 4096;
    static constexpr int InBufferSize = 2048;
    // How long bytes handed to the port may wait before the line counts as stuck.
    static constexpr std::chrono::milliseconds StuckAfter{2000};

    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override; // releases the port if it is still held

    // Port, line settings, buffers, notification, RTS and RTS/CTS
    // handshaking, without opening.
    void configure(const LinkSettings& settings);
    // A port that cannot be used at all (its settings are unusable): every
    // opening and every command is refused with this reason.
    void configureUnusable(const LinkSettings& settings, const QString& reason);
    bool isOpen() const override;
    // Opens the configured port. Returns whether it is open afterwards.
    bool open() override;
    // configure() then open(): the whole opening sequence.
    bool openLink(const LinkSettings& settings);
    // Writes one framed command as one write. Returns false, and reports it,
    // when the command could not be queued for the port.
    bool sendCommand(const CatCommand& command) override;
    void drainInput() override;
    // Bytes from the radio waiting to be read (InBufferCount).
    qint64 inBufferCount() const override;
    void closeLink() override;
    // Pushes queued bytes out to the device now, as far as it takes them.
    void flush() override;

    QString portDescription() const override;
    const LinkSettings& settings() const { return m_settings; }

private:
    void onBytesWritten();
    void onError(QSerialPort::SerialPortError error);
    QString unopenableReason() const;
    QString openFailureReason() const;
    QString deviceBehind() const;
    QString withDeviceBehind(const QString& path) const;
    QString withRelinkAdvice(const QString& sentence) const;
    void refuse(const CatCommand& command, const QString& reason);
    void takeBackUnwritten();
    void report(const QString& message);
    void emitPending();
    qint64 bytesWaiting() const;
    void watchForStuckLine();
    void onStuckAlarm();
    void forgetStuckLine();

    QSerialPort m_port;
    LinkSettings m_settings;
    QString m_openedDevice; // what the port was opened under, links followed
    QString m_unusableReason;
    QString m_lastOpenProblem;
    QStringList m_unsent;
    // Commands handed to the port whose bytes may not all have left yet; when
    // the device fails, those still queued are reported as not sent.
    QList<QByteArray> m_inFlight;
    QString m_unsentReason; // why the commands of the current report were not sent
    QString m_closedReason; // why the port is closed, when it did not close on request
    QStringList m_pending;
    bool m_reportScheduled = false;

    // The stuck-line check: bytes handed to the port so far, and how many of
    // them had left when the alarm was set.
    std::unique_ptr<Clock::Alarm> m_stuckAlarm;
    bool m_stuckAlarmSet = false;
    bool m_stuckReported = false;
    qint64 m_bytesHanded = 0;
    qint64 m_bytesLeftAtAlarm = 0;
};
