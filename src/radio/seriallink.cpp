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

SerialLink::SerialLink(QObject* parent) : QObject(parent)
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
    m_settings = settings;
    m_unusableReason.clear();
    m_port.setPortName(settings.device);
    m_port.setBaudRate(settings.baud.toInt());
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    // The transmit buffer (4096) is kept by sendCommand; the receive buffer is
    // Qt's read buffer, which stops reading from the device when it is full.
    m_port.setReadBufferSize(InBufferSize);
    // Under RTS/CTS handshaking the driver asserts RTS itself from the moment
    // the port opens, and Qt refuses setRequestToSend(): so RTS is not set here.
    m_port.setFlowControl(QSerialPort::HardwareControl);
}

void SerialLink::configureUnusable(const LinkSettings& settings, const QString& reason)
{
    if (m_port.isOpen())
        m_port.close();
    m_inFlight.clear();
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
    QString reason;
    if (!m_unusableReason.isEmpty()) {
        reason = m_unusableReason;
    } else if (m_port.open(QIODevice::ReadWrite)) {
        m_lastOpenProblem.clear();
        m_closedReason.clear();
        m_inFlight.clear();
        m_port.clearError();
        return true;
    } else {
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
        if (!Platform::mayReadAndWrite(m_settings.device))
            return QStringLiteral("you have no permission to use %1. Add your user to the "
                                  "dialout group (sudo adduser $USER dialout), then log out "
                                  "and in again.")
                .arg(path);
        return QStringLiteral("%1 is in use by another program. Close that program and try "
                              "again.")
            .arg(path);
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
                                .arg(path, m_settings.baud, m_port.errorString()));
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
    if (m_port.write(bytes) != bytes.size()) {
        refuse(command, QStringLiteral("%1 refused the write (%2).")
                            .arg(portDescription(), m_port.errorString()));
        return false;
    }
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
    return true;
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
    if (m_settings.device.isEmpty())
        return QStringLiteral("Serial port \"%1\"").arg(m_settings.port);
    return QStringLiteral("Serial port %1 (%2)").arg(m_settings.port, shown(m_settings.device));
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
    QString what;
    switch (error) {
    case QSerialPort::ReadError:
        what = QStringLiteral("reading from it failed");
        break;
    case QSerialPort::WriteError:
        what = QStringLiteral("writing to it failed");
        break;
    case QSerialPort::ResourceError:
        what = QStringLiteral("the device disappeared");
        break;
    default:
        what = QStringLiteral("it reported a fault");
        break;
    }
    const QString detail = m_port.errorString();
    takeBackUnwritten();
    m_port.close();
    m_port.clearError();
    m_lastOpenProblem.clear();
    m_closedReason =
        QStringLiteral("%1 was closed after it stopped working.").arg(portDescription());
    m_unsentReason = m_closedReason;
    report(QStringLiteral("%1 stopped working: %2 (%3). Was the cable pulled, or the radio "
                          "switched off? Quillard opens the port again when the window is next "
                          "active.")
               .arg(portDescription(), what, detail));
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
