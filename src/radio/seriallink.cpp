#include "radio/seriallink.h"

#include "app/cues.h"
#include "app/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
std::vector<SerialLink*>& liveLinks()
{
    static std::vector<SerialLink*> links;
    return links;
}

bool mayReadAndWrite(const QString& path)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}
} // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent)
{
    liveLinks().push_back(this);
    connect(&m_port, &QSerialPort::bytesWritten, this, &SerialLink::onBytesWritten);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::onError);
}

SerialLink::~SerialLink()
{
    auto& links = liveLinks();
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
    if (m_port.isOpen())
        m_port.close();
}

void SerialLink::configure(const RadioSettings& settings)
{
    if (m_port.isOpen())
        m_port.close();
    m_settings = settings;
    m_settingsProblem = settingsProblem(settings);
    const int number = portNumber(settings.Comm);
    m_devicePath = number > 0 ? Platform::serialDevicePath(number) : QString();
    if (!m_settingsProblem.isEmpty())
        return;
    m_port.setPortName(m_devicePath);
    m_port.setBaudRate(settings.Baud.toInt());
    m_port.setParity(QSerialPort::NoParity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setReadBufferSize(InBufferSize);
    // RTS is asserted by the driver itself under RTS/CTS handshaking; Qt
    // refuses to set it by hand then, so it is not set here.
    m_port.setFlowControl(QSerialPort::HardwareControl);
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
    if (!m_settingsProblem.isEmpty()) {
        reason = QStringLiteral("%1 in %2. %3")
                     .arg(m_settingsProblem, QDir::toNativeSeparators(settingsFilePath()),
                          reconfigureAdvice(settingsFilePath()));
    } else if (m_port.open(QIODevice::ReadWrite)) {
        m_lastOpenProblem.clear();
        m_unsentReason.clear();
        m_port.clearError();
        return true;
    } else {
        reason = openFailureReason();
        m_port.clearError();
    }
    const QString message =
        QStringLiteral("%1 cannot be opened: %2").arg(portDescription(), reason);
    m_unsentReason = message;
    if (message != m_lastOpenProblem) {
        m_lastOpenProblem = message;
        report(message);
    }
    return false;
}

QString SerialLink::openFailureReason() const
{
    const QString path = QDir::toNativeSeparators(m_devicePath);
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral(
                   "the device %1 does not exist. Connect the radio's cable, or link the "
                   "port to your serial device, for example: ln -s /dev/ttyUSB0 %2")
            .arg(path, QDir::toNativeSeparators(GetWinPath() + QStringLiteral("/com")
                                                + m_settings.Comm));
    case QSerialPort::PermissionError:
        if (!mayReadAndWrite(m_devicePath))
            return QStringLiteral("you have no permission to use %1. Add your user to the "
                                  "dialout group (sudo adduser $USER dialout), then log in again.")
                .arg(path);
        return QStringLiteral("the port is in use by another program. Close that program "
                              "and try again.");
    case QSerialPort::OpenError:
        return QStringLiteral("the port is already open.");
    default:
        return QStringLiteral("%1 (%2).").arg(m_port.errorString(), path);
    }
}

bool SerialLink::openLink(const RadioSettings& settings)
{
    configure(settings);
    return open();
}

bool SerialLink::sendCommand(const CatCommand& command)
{
    const QByteArray bytes = command.framed();
    if (!m_port.isOpen()) {
        if (!m_settingsProblem.isEmpty())
            m_unsentReason = QStringLiteral("the settings cannot be used: %1 in %2. %3")
                                 .arg(m_settingsProblem,
                                      QDir::toNativeSeparators(settingsFilePath()),
                                      reconfigureAdvice(settingsFilePath()));
        else if (m_unsentReason.isEmpty())
            m_unsentReason = QStringLiteral("%1 is not open.").arg(portDescription());
        m_unsent.append(QString::fromLatin1(command.text()));
        report({});
        return false;
    }
    if (m_port.bytesToWrite() + bytes.size() > OutBufferSize) {
        m_unsentReason = QStringLiteral("the transmit buffer of %1 is full: the radio is not "
                                        "taking data. Check the cable and that the radio is on.")
                             .arg(portDescription());
        m_unsent.append(QString::fromLatin1(command.text()));
        report({});
        return false;
    }
    if (m_port.write(bytes) != bytes.size()) {
        m_unsentReason = QStringLiteral("%1 refused the write (%2).")
                             .arg(portDescription(), m_port.errorString());
        m_unsent.append(QString::fromLatin1(command.text()));
        report({});
        return false;
    }
    return true;
}

void SerialLink::drainInput()
{
    if (m_port.isOpen() && m_port.bytesAvailable() > 0)
        m_port.readAll();
}

void SerialLink::closeLink()
{
    if (m_port.isOpen())
        m_port.close();
    m_unsentReason.clear();
}

void SerialLink::flush()
{
    if (m_port.isOpen() && m_port.bytesToWrite() > 0)
        m_port.flush();
}

void SerialLink::flushAll()
{
    for (SerialLink* link : liveLinks())
        link->flush();
}

QString SerialLink::portDescription() const
{
    if (m_devicePath.isEmpty())
        return QStringLiteral("Serial port \"%1\"").arg(m_settings.Comm);
    return QStringLiteral("Serial port %1 (%2)")
        .arg(m_settings.Comm, QDir::toNativeSeparators(m_devicePath));
}

void SerialLink::onBytesWritten()
{
    if (m_port.bytesToWrite() == 0)
        emit commEvent();
}

void SerialLink::onError(QSerialPort::SerialPortError error)
{
    // Qt reports NoError after every successful open, and the errors of an
    // opening attempt are handled by open() itself.
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError
        || error == QSerialPort::UnsupportedOperationError || !m_port.isOpen())
        return;
    // A vanished device repeats the same error in a tight loop: close at once.
    const QString reason = m_port.errorString();
    const qint64 lost = m_port.bytesToWrite();
    m_port.close();
    m_port.clearError();
    QString message = QStringLiteral("%1 stopped working: %2. The device has gone away (was "
                                     "the cable pulled, or the radio switched off?). Quillard "
                                     "opens the port again when the window is next active.")
                          .arg(portDescription(), reason);
    if (lost > 0)
        message += QStringLiteral(" %1 bytes of commands were not sent.").arg(lost);
    m_lastOpenProblem.clear();
    m_unsentReason = QStringLiteral("%1 was closed after it stopped working.").arg(portDescription());
    report(message);
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
