#pragma once

// The lines the virtual radio prints on stdout, one per event, each flushed
// as soon as it is written so that tests can follow along:
//
//   READY <slave> <link>
//   RX <utc> <ms> <text>
//   RX <utc> <ms> ? <text>
//   RX <utc> <ms> - <text>
//   ANS <utc> <ms> <text>
//   OVERFLOW <utc> <ms> KY buffer full, <n> characters waiting; refused: <text>
//   CW <utc> <ms> <text>
//   CW <utc> <ms> - <text>
//
// READY   once the pseudo-terminal is listening. <slave> is its /dev/pts path
//         (never contains a blank); <link> is the rest of the line. Both
//         are escaped as <text> is.
// RX      one command received. "?" marks one the radio answered with "?;"
//         (unknown, malformed, or impossible now), "-" one ignored because
//         the radio is switched off. A known command has no marker.
// ANS     bytes the radio wrote back: a read answer or "?;".
// OVERFLOW  a KY text arrived while the keyer's buffer was full: <n> is how
//         many characters were still waiting to be keyed, <text> what was
//         refused (its padding removed). A client that paces its CW right
//         never causes one; its RX line carries the "?" marker too.
// CW      the keyer ran empty: <text> is what it keyed since it started, at
//         <ms> the moment its last character ended. "-" marks a run cut short
//         by switching off or a reset; <text> is then what went out before.
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
QByteArray overflow(const QDateTime& utc, qint64 elapsedNs, qsizetype waiting,
                    QByteArrayView refused);
QByteArray keyed(const QDateTime& utc, qint64 elapsedNs, QByteArrayView text, bool cut);

} // namespace vradio::logline
