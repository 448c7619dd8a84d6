#include "radio/seriallink.h"

#include "platform/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {
QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

SerialLink::SerialLink(QObject* parent) : RadioLink(parent)
{
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialLink::onBytesWritten);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

SerialLink::~SerialLink()
{
    if (m_port.isOpen())
        m_port.close();
}

void SerialLink::configure(const LinkSettings& settings)
{
    if (m_port.isOpen())
        m_port.close();
    m_inFlight.clear();
    forgetStuckLine();
    m_settings = settings;
    m_unusableReason.clear();
    m_port.setPortName(settings.device);
    m_port.setBaudRate(settings.baud);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    // The transmit buffer (4096) is kept by sendCommand; the receive buffer is
    // Qt's read buffer, which stops reading from the device when it is full.
    m_port.setReadBufferSize(InBufferSize);
    // Under RTS/CTS handshaking the driver asserts RTS itself from the moment
    // the port opens, and Qt refuses setRequestToSend(): so RTS is not set here.
    m_port.setFlowControl(settings.hardwareHandshake ? QSerialPort::HardwareControl
                                                     : QSerialPort::NoFlowControl);
}

void SerialLink::configureUnusable(const LinkSettings& settings, const QString& reason)
{
    if (m_port.isOpen())
        m_port.close();
    m_inFlight.clear();
    forgetStuckLine();
    m_settings = settings;
    m_unusableReason = reason;
}

bool SerialLink::isOpen() const
{
    return m_port.isOpen();
}

bool SerialLink::open()
{
    if (m_port.isOpen())
        return true;
    // Opened under the device itself: the serial layer locks the port in a
    // file named after what it opens, and other programs look for the device's.
    m_openedDevice = deviceBehind();
    m_port.setPortName(m_openedDevice);
    QString reason = unopenableReason();
    if (reason.isEmpty()) {
        if (m_port.open(QIODevice::ReadWrite)) {
            m_lastOpenProblem.clear();
            m_closedReason.clear();
            m_inFlight.clear();
            forgetStuckLine();
            m_port.clearError();
            // Without handshaking Qt leaves RTS as it finds it; the radio wants it on.
            if (!m_settings.hardwareHandshake)
                m_port.setRequestToSend(true);
            return true;
        }
        reason = openFailureReason();
        m_port.clearError();
    }
    const QString message =
        QStringLiteral("%1 cannot be opened: %2").arg(portDescription(), reason);
    m_closedReason = message;
    // The same failure again (each activation of a window tries once more) is
    // not shown again: the box that showed it would otherwise cause the next try.
    if (message != m_lastOpenProblem) {
        m_lastOpenProblem = message;
        report(message);
    }
    return false;
}

QString SerialLink::withRelinkAdvice(const QString& sentence) const
{
    if (m_settings.relinkAdvice.isEmpty())
        return sentence + QLatin1Char('.');
    return sentence + QStringLiteral(", or ") + m_settings.relinkAdvice;
}

QString SerialLink::deviceBehind() const
{
    return Platform::serialDeviceBehind(m_settings.device);
}

// "/home/op/.config/quillard/com1 (/dev/ttyUSB0)" for a link, the path alone otherwise.
QString SerialLink::withDeviceBehind(const QString& path) const
{
    const QString device = deviceBehind();
    if (device == m_settings.device)
        return shown(path);
    return QStringLiteral("%1 (%2)").arg(shown(path), shown(device));
}

// Why the port is not even to be tried, or an empty text.
QString SerialLink::unopenableReason() const
{
    if (!m_unusableReason.isEmpty())
        return m_unusableReason;
    if (Platform::serialHardware(m_settings.device) == Platform::SerialHardware::NoUart)
        return withRelinkAdvice(QStringLiteral("%1 has no serial port hardware behind it (Linux "
                                               "found no UART there). Use a port that exists")
                                    .arg(withDeviceBehind(m_settings.device)));
    // The serial layer would take an unknown program's lock for a stale one of
    // its own and remove it; a lock of a running program is honoured here first.
    if (const auto holder = Platform::serialLockHolder(deviceBehind())) {
        const QString who = holder->program.isEmpty()
                                ? QStringLiteral("process %1").arg(holder->pid)
                                : QStringLiteral("%1, process %2")
                                      .arg(holder->program, QString::number(holder->pid));
        return QStringLiteral("%1 is in use by another program (%2). Close that program and try "
                              "again; if no program uses the port, delete its stale lock file %3.")
            .arg(withDeviceBehind(m_settings.device), who, shown(holder->lockFile));
    }
    return {};
}

QString SerialLink::openFailureReason() const
{
    const QString path = shown(m_settings.device);
    const QFileInfo info(m_settings.device);
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        if (info.isSymLink())
            return withRelinkAdvice(
                QStringLiteral("%1 links to %2, which does not exist. Connect the radio's cable")
                    .arg(path, shown(info.symLinkTarget())));
        return withRelinkAdvice(
            QStringLiteral("the device %1 does not exist. Connect the radio's cable").arg(path));
    case QSerialPort::PermissionError:
        // The serial layer removes a stale lock where it may; one it may not
        // (another user's, in the shared lock folder) blocks the port until
        // it is removed, though no program uses it.
        if (const auto stale = Platform::staleSerialLock(deviceBehind()))
            return QStringLiteral("%1 is not in use, but a stale lock file left by process %2, "
                                  "which no longer runs, blocks it: %3. Quillard cannot remove "
                                  "that file; remove it (sudo rm %3), then try again.")
                .arg(withDeviceBehind(m_settings.device), QString::number(stale->pid),
                     shown(stale->lockFile));
        if (!Platform::mayReadAndWrite(m_settings.device))
            return QStringLiteral("you have no permission to use %1. Add your user to the "
                                  "dialout group (sudo adduser $USER dialout), then log out "
                                  "and in again.")
                .arg(path);
        return QStringLiteral("%1 is in use by another program. Close that program and try "
                              "again.")
            .arg(withDeviceBehind(m_settings.device));
    case QSerialPort::OpenError:
        return QStringLiteral("%1 is already open.").arg(path);
    default:
        break;
    }
    if (Platform::deviceKind(m_settings.device) == Platform::DeviceKind::NotADevice)
        return withRelinkAdvice(QStringLiteral("%1 is not a serial device. Remove it").arg(path));
    return withRelinkAdvice(QStringLiteral("%1 does not work as a serial port at %2 baud (%3). "
                                           "Check that a serial port exists at that device and "
                                           "takes that rate")
                                .arg(path, QString::number(m_settings.baud), m_port.errorString()));
}

bool SerialLink::openLink(const LinkSettings& settings)
{
    configure(settings);
    return open();
}

bool SerialLink::sendCommand(const CatCommand& command)
{
    if (!command.isValid()) {
        refuse(command, QStringLiteral("Quillard made a command that the radio does not take; "
                                       "nothing was sent."));
        return false;
    }
    const QByteArray bytes = command.framed();
    if (!m_port.isOpen()) {
        if (!m_unusableReason.isEmpty())
            refuse(
                command,
                QStringLiteral("%1 cannot be opened: %2").arg(portDescription(), m_unusableReason));
        else if (!m_closedReason.isEmpty())
            refuse(command, m_closedReason);
        else
            refuse(command, QStringLiteral("%1 is not open.").arg(portDescription()));
        return false;
    }
    if (m_port.bytesToWrite() + bytes.size() > OutBufferSize) {
        refuse(command, QStringLiteral("the transmit buffer of %1 is full: the radio is not "
                                       "taking data. Check the cable and that the radio is on.")
                            .arg(portDescription()));
        return false;
    }
    // Everything handed over before has left: whatever was stuck is over.
    if (bytesWaiting() == 0)
        forgetStuckLine();
    if (m_port.write(bytes) != bytes.size()) {
        refuse(command, QStringLiteral("%1 refused the write (%2).")
                            .arg(portDescription(), m_port.errorString()));
        return false;
    }
    m_bytesHanded += bytes.size();
    m_inFlight.append(command.text());
    // Hand the command to the device now, as its own write: it leaves at once
    // rather than when the event loop next runs, and never shares a write with
    // the next command. A radio that holds CTS low leaves the bytes queued
    // instead of freezing the window.
    flush();
    if (!m_port.isOpen())
        return false; // the device failed under this write; onError has reported it
    if (m_port.bytesToWrite() == 0)
        m_inFlight.clear();
    watchForStuckLine();
    return true;
}

qint64 SerialLink::bytesWaiting() const
{
    if (!m_port.isOpen())
        return 0;
    return m_port.bytesToWrite() + Platform::bytesWaitingToLeave(m_port.handle());
}

void SerialLink::watchForStuckLine()
{
    const qint64 waiting = bytesWaiting();
    if (waiting == 0 || m_stuckAlarmSet || m_stuckReported)
        return;
    m_bytesLeftAtAlarm = m_bytesHanded - waiting;
    m_stuckAlarmSet = true;
    m_stuckAlarm = Clock::current().alarmAfter(StuckAfter, this, [this] { onStuckAlarm(); });
}

void SerialLink::onStuckAlarm()
{
    // The alarm object stays until the next one replaces it: it is ringing now.
    m_stuckAlarmSet = false;
    const qint64 waiting = bytesWaiting();
    // Bytes that have moved at all mean a slow line, not a stuck one; the next
    // write that leaves bytes waiting looks again.
    if (waiting == 0 || m_bytesHanded - waiting > m_bytesLeftAtAlarm)
        return;
    m_stuckReported = true;
    report(QStringLiteral("%1 is not taking data: the commands sent %2 seconds ago have not left "
                          "%3. The radio is not accepting data (CTS is off): is it switched on, "
                          "and is the cable wired for RTS/CTS? The commands wait and go out as "
                          "soon as the radio takes them.")
               .arg(portDescription(),
                    QString::number(std::chrono::duration<double>(StuckAfter).count()),
                    shown(deviceBehind())));
}

void SerialLink::forgetStuckLine()
{
    m_stuckAlarm.reset();
    m_stuckAlarmSet = false;
    m_stuckReported = false;
}

void SerialLink::refuse(const CatCommand& command, const QString& reason)
{
    m_unsent.append(command.isValid() ? QString::fromLatin1(command.text())
                                      : QStringLiteral("(an invalid command)"));
    m_unsentReason = reason;
    report({});
}

void SerialLink::drainInput()
{
    if (m_port.isOpen() && m_port.bytesAvailable() > 0)
        m_port.readAll();
}

qint64 SerialLink::inBufferCount() const
{
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

void SerialLink::closeLink()
{
    if (m_port.isOpen())
        m_port.close();
    m_inFlight.clear();
    forgetStuckLine();
    m_closedReason.clear();
}

void SerialLink::flush()
{
    // Qt's flush() writes even when the device has no room, and takes its
    // "try again" answer for a vanished device.
    if (m_port.isOpen() && m_port.bytesToWrite() > 0 && Platform::deviceTakesData(m_port.handle()))
        m_port.flush();
}

QString SerialLink::portDescription() const
{
    const QString port =
        m_settings.port > 0 ? QString::number(m_settings.port) : m_settings.unreadablePort;
    // No port at all: the owner's reason that follows says why.
    if (port.isEmpty() && m_settings.device.isEmpty())
        return QStringLiteral("The serial port");
    if (m_settings.device.isEmpty())
        return QStringLiteral("Serial port \"%1\"").arg(port);
    return QStringLiteral("Serial port %1 (%2)").arg(port, shown(m_settings.device));
}

void SerialLink::onBytesWritten()
{
    if (m_port.bytesToWrite() != 0)
        return;
    m_inFlight.clear();
    emit commEvent();
}

// The commands whose bytes were still queued when the device failed: counted
// back from the newest, a command with any byte unsent was not sent.
void SerialLink::takeBackUnwritten()
{
    qint64 left = m_port.bytesToWrite();
    QStringList lost;
    while (left > 0 && !m_inFlight.isEmpty()) {
        const QByteArray text = m_inFlight.takeLast();
        lost.prepend(QString::fromLatin1(text));
        left -= text.size() + 1;
    }
    m_inFlight.clear();
    m_unsent = lost + m_unsent;
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    // Qt reports NoError after every successful open, the errors of an opening
    // attempt are handled by open() itself, and a refused setting of a modem
    // line changes nothing on an open port.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
        error == QSerialPort::UnsupportedOperationError || !m_port.isOpen())
        return;
    // A device that has gone makes Qt repeat the same read error in a tight
    // loop for as long as the port stays open: close it on the first one.
    // The serial layer words its errors from the system's last error number,
    // which a read that merely found the end of the line leaves over from
    // some earlier call: the reason is looked up here instead, or none given.
    const QString& device = m_openedDevice;
    QString what;
    if (Platform::deviceKind(device) == Platform::DeviceKind::Missing)
        what = QStringLiteral("%1 disappeared").arg(shown(device));
    else if (Platform::deviceHungUp(m_port.handle()))
        what = QStringLiteral("%1 hung up").arg(shown(device));
    else if (error == QSerialPort::ReadError)
        what = QStringLiteral("reading from it failed");
    else if (error == QSerialPort::WriteError)
        what = QStringLiteral("writing to it failed");
    else
        what = QStringLiteral("it reported a fault");
    takeBackUnwritten();
    m_port.close();
    m_port.clearError();
    forgetStuckLine();
    m_lastOpenProblem.clear();
    m_closedReason =
        QStringLiteral("%1 was closed after it stopped working.").arg(portDescription());
    m_unsentReason = m_closedReason;
    report(QStringLiteral("%1 stopped working: %2. Was the cable pulled, or the radio switched "
                          "off? Quillard opens the port again when the window is next active.")
               .arg(portDescription(), what));
}

void SerialLink::report(const QString& message)
{
    if (!message.isEmpty())
        m_pending.append(message);
    if (m_reportScheduled)
        return;
    m_reportScheduled = true;
    // After the current handler, so a control's commands and cue keep their order
    // and several failed commands of one click make one message.
    QTimer::singleShot(0, this, &SerialLink::emitPending);
}

void SerialLink::emitPending()
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
