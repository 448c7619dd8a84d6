#pragma once

// Reading a schedule file with the checks that keep the program responsive:
// a folder, a named pipe or a device is refused before it is opened (a pipe
// would hold the opening), and a file larger than a schedule can be is
// refused unread. What is read is parsed (eibiformat.h).
//
// Data flow: path -> readScheduleFile() -> the schedule, or one sentence for
// the operator that names the file and what is wrong with it (the line, for
// a file that is not a schedule).
//
// Qt Core only.

#include "schedule/scheduleentry.h"

#include <QString>

// A season's schedule is about 1 MB; eight leave room for any to come.
inline constexpr qint64 ScheduleFileMaxBytes = 8 * 1024 * 1024;

struct ScheduleFileRead {
    Schedule schedule;
    QString problem; // empty when the file was read
    bool ok() const { return problem.isEmpty(); }
};

ScheduleFileRead readScheduleFile(const QString& path);
