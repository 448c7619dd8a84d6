#pragma once

// The words for what goes wrong between Quillard and a daemon that owns the
// serial port (rigctld, flrig): shared by the links that talk to them and by
// the settings window that offers to start one, so an operator reads one
// wording wherever the fault shows.

#include <QString>

namespace DaemonFaults {

// The command that starts rigctld for a TS-570 on a serial device, serving
// this computer only, with RTS/CTS handshaking as the radio wants.
// A TCP port other than rigctld's own 4532 is named with -t.
QString rigctldCommand(const QString& device, const QString& baud, quint16 tcpPort = 4532);

// A Hamlib error number ("RPRT -6" gives 6) in words.
QString hamlibError(int code);

} // namespace DaemonFaults
