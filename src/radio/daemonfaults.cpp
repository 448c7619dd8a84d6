#include "radio/daemonfaults.h"

#include <array>

namespace DaemonFaults {

QString rigctldCommand(const QString& device, const QString& baud, quint16 tcpPort)
{
    // Model 2016 is Hamlib's TS-570D; its S model answers the same commands.
    QString command =
        QStringLiteral("rigctld -m 2016 -r %1 -s %2 -C serial_handshake=Hardware -T 127.0.0.1")
            .arg(device.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : device,
                 baud.isEmpty() ? QStringLiteral("9600") : baud);
    if (tcpPort != 4532)
        command += QStringLiteral(" -t %1").arg(tcpPort);
    return command;
}

QString hamlibError(int code)
{
    // Hamlib's error numbers, 1 to 22, in the order of its rig_errcode_e.
    static const std::array<const char*, 22> words = {
        "invalid parameter",
        "invalid configuration of the serial port",
        "out of memory",
        "not implemented by Hamlib for this radio",
        "the radio did not answer in time",
        "input/output error: the serial device failed or is gone",
        "internal Hamlib error",
        "protocol error",
        "command rejected by the radio",
        "argument truncated",
        "function not available",
        "VFO not targetable",
        "error on the bus",
        "collision on the bus",
        "invalid argument",
        "invalid VFO",
        "argument out of range",
        "function deprecated",
        "security error: rigctld wants a password",
        "the radio is not switched on",
        "limit exceeded",
        "access denied: the serial port is in use",
    };
    if (code >= 1 && code <= static_cast<int>(words.size()))
        return QString::fromLatin1(words[static_cast<size_t>(code - 1)]);
    return QStringLiteral("Hamlib error %1").arg(code);
}

} // namespace DaemonFaults
