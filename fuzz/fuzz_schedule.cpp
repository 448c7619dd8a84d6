// Feeds arbitrary bytes to the schedule reader as the contents of an EiBi
// file, then asks the "on the air" rule and the filters about what it read.
// Besides the sanitizers' checks it asserts what the window relies on: a
// refusal names a line of the file and quotes it only by a short printable
// excerpt; the entries hold frequencies the radio's eleven digits can carry,
// minutes of the day, days and dates that exist, and lines in order; the
// lines that could not be read are real lines, ascending, and none of them
// is an entry; its texts are the schedule's; and every filter shows entries
// of the schedule only.

#include "schedule/eibiformat.h"
#include "schedule/onair.h"
#include "schedule/schedulefilter.h"

#include <QTimeZone>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool printable(const QString& text)
{
    for (QChar c : text)
        if (!c.isPrint())
            return false;
    return true;
}

bool validDay(const std::optional<DayOfYear>& date)
{
    return !date || (date->month >= 1 && date->month <= 12 && date->day >= 1 && date->day <= 31);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ScheduleRead read = parseSchedule(bytes);
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
    if (!read.ok()) {
        require(read.schedule.entries.isEmpty());
        require(read.problemLine >= 0 && read.problemLine <= lines);
        require(printable(read.problem) && read.problem.size() < 300);
        return 0;
    }
    const Schedule& schedule = read.schedule;
    for (qsizetype i = 0; i < schedule.unreadLines.size(); ++i) {
        require(schedule.unreadLines[i] >= 1 && schedule.unreadLines[i] <= lines);
        require(i == 0 || schedule.unreadLines[i - 1] < schedule.unreadLines[i]);
    }
    for (qsizetype i = 0; i < schedule.entries.size(); ++i) {
        const ScheduleEntry& entry = schedule.entries[i];
        require(entry.hertz > 0 && entry.hertz <= 99'999'999'999);
        require(entry.startMinute >= 0 && entry.startMinute < 1440);
        require(entry.endMinute >= 0 && entry.endMinute <= 1440);
        require(entry.weekdays != 0 && entry.weekdays <= ScheduleEntry::EveryDay);
        require(validDay(entry.from) && validDay(entry.until) && validDay(entry.onlyOn));
        require(entry.persistence >= 0 && entry.persistence < 90);
        require(entry.line >= 1 && entry.line <= lines &&
                !schedule.unreadLines.contains(entry.line));
        require(i == 0 || schedule.entries[i - 1].hertz <= entry.hertz);
        require(!entry.kilohertzText().isEmpty());
        for (TextId text : {entry.time, entry.days, entry.country, entry.station, entry.language,
                            entry.target, entry.site})
            require(text < TextId(schedule.texts.size()));
    }
    require(printable(schedule.unreadLinesText()));

    const QDateTime moments[] = {
        QDateTime(QDate(2025, 6, 15), QTime(0, 30), QTimeZone::utc()),
        QDateTime(QDate(2025, 12, 31), QTime(23, 59), QTimeZone::utc()),
        QDateTime(QDate(2024, 2, 29), QTime(12, 0), QTimeZone::utc()),
    };
    for (const QDateTime& moment : moments) {
        ScheduleFilter filter;
        FilteredSchedule everything = filterSchedule(schedule, filter, moment);
        filter.onAirOnly = false;
        filter.range = ts570sRange;
        filter.text = QStringLiteral("a");
        filter.band = &broadcastBands[4];
        FilteredSchedule some = filterSchedule(schedule, filter, moment);
        for (const FilteredSchedule* result : {&everything, &some}) {
            require(result->outsideRange >= 0);
            for (int index : result->shown) {
                require(index >= 0 && index < schedule.entries.size());
                require(!schedule.entries[index].isInactive());
            }
        }
        for (int index : everything.shown)
            require(isOnAir(schedule.entries[index], moment));
    }
    return 0;
}
