#pragma once

// The lines the virtual radio prints on stdout, one per event, each flushed
// as soon as it is written so that tests can follow along:
//
//   READY <slave> <link>
//   RX <utc> <ms> <text>
//   RX <utc> <ms> ? <text>
//   RX <utc> <ms> - <text>
//   ANS <utc> <ms> <text>
//
// READY   once the pseudo-terminal is listening. <slave> is its /dev/pts path
//         (never contains a blank); <link> is the rest of the line. Both
//         are escaped as <text> is.
// RX      one command received. "?" marks one the radio answered with "?;"
//         (unknown, malformed, or impossible now), "-" one ignored because
//         the radio is switched off. A known command has no marker.
// ANS     bytes the radio wrote back: a read answer or "?;".
// <utc>   ISO-8601 UTC time with milliseconds: 2026-12-09T09:13:50.123Z
// <ms>    milliseconds since the program started, monotonic, three
//         decimals: 1234.567
// <text>  the rest of the line: the command exactly as received, ";" and
//         blanks included. Bytes outside printable ASCII, and the backslash
//         itself, are written as \xHH so that one command stays one line.

#include "ts570.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace vradio::logline {

QByteArray escaped(QByteArrayView text);

QByteArray ready(const QString& slavePath, const QString& linkPath);
QByteArray received(const QDateTime& utc, qint64 elapsedNs, QByteArrayView command,
                    Outcome::Kind kind);
QByteArray answer(const QDateTime& utc, qint64 elapsedNs, QByteArrayView reply);

} // namespace vradio::logline
