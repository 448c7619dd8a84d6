#pragma once

// How a port reaches the radio: over the serial port itself, or through a
// daemon that owns the serial port and shares it with other programs
// (Hamlib's rigctld, flrig). Described per port by <settings folder>/comN.conf,
// an INI file beside qd.cfg:
//
//   via=rigctld          serial (the default), rigctld or flrig
//   host=127.0.0.1       the daemon's computer (default 127.0.0.1)
//   port=4532            its TCP port (default 4532 for rigctld, 12345 for flrig)
//   handshake=rtscts     serial only: rtscts (the default) or none, for
//                        three-wire cables
//   model=D              the radio on the port: D, a TS-570D (the default), or
//                        S, a TS-570S, which also tunes 30 to 60 MHz and 6 m
//
// Without the file the port is the serial port with RTS/CTS handshaking, as
// it always was; qd.cfg stays the two lines it is.
//
// Data flow: comN.conf -> readPortRoute() -> PortRoute, which the port owner
// turns into the window's link; the Communication Settings window writes it
// with writePortRoute().

#include "radio/radiomodel.h"

#include <QString>

struct PortRoute {
    enum class Via { Serial, Rigctld, Flrig };

    Via via = Via::Serial;
    QString host = QStringLiteral("127.0.0.1");
    quint16 tcpPort = 0; // 0 before a daemon is chosen
    bool hardwareHandshake = true;
    RadioModel model = RadioModel::TS570D;
    // Empty when the file is usable (or absent); else a sentence naming the
    // file, the value that is wrong and how to put it right.
    QString problem;

    static quint16 defaultTcpPort(Via via);
    bool throughDaemon() const { return via != Via::Serial; }
};

// <settings folder>/comN.conf
QString portRoutePath(int port);

PortRoute readPortRoute(const QString& path);
// The radio model the port's file names; the TS-570D when the file is
// absent or cannot be used (its problem is told where the port is opened).
RadioModel portModel(int port);

// Writes the file (the values a daemon does not use are left out). Returns
// an empty text on success, else why not.
QString writePortRoute(const PortRoute& route, const QString& path);
