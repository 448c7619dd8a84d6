#pragma once

// EiBi's schedule format read from the file's bytes. The first line is the
// header ("kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;
// Remarks:135;P:35;Start:60;Stop:60;"); every other line is one broadcast of
// eleven fields separated by ";": the frequency in kHz (decimals allowed),
// "HHMM-HHMM" in UTC, the days, the country, the station, the language, the
// target area, the transmitter site, the persistence code, and the start and
// stop dates ("DDMM", optional; the stop date may be followed by the month it
// was last heard, "[0225]"). Text is Latin-1; lines end in CR LF, LF or CR.
//
// Data flow: bytes -> parseSchedule() -> ScheduleRead: a Schedule, or why the
// bytes are not a schedule at all and at which line that showed. Lines that
// cannot be read inside a schedule are skipped and listed, never fatal.
//
// Qt Core only; used on its own by its fuzz target and its benchmark.

#include "schedule/scheduleentry.h"

#include <QByteArray>

struct ScheduleRead {
    Schedule schedule;
    // Empty for a schedule; otherwise what is wrong, to follow "<file> is not
    // an EiBi schedule: ", and the line it concerns (0 for the whole file).
    QString problem;
    int problemLine = 0;
    bool ok() const { return problem.isEmpty(); }
};

// A line longer than this is no schedule line (they are about a hundred).
inline constexpr qsizetype ScheduleLineMaxBytes = 1000;

ScheduleRead parseSchedule(const QByteArray& bytes);

// A short, printable excerpt of a line, for messages.
QString lineExcerpt(QByteArrayView line);
