#include "schedule/onair.h"

#include <QTimeZone>

namespace {
constexpr int MinutesPerDay = 24 * 60;
// A date without a year lies less than half a year from the day it is asked about.
constexpr int HalfYear = 183;

QDate lastSunday(int year, int month)
{
    QDate day(year, month, QDate(year, month, 1).daysInMonth());
    return day.addDays(-(day.dayOfWeek() % 7));
}

QDate inYear(const DayOfYear& date, int year)
{
    const QDate first(year, date.month, 1);
    return QDate(year, date.month, std::min(int(date.day), first.daysInMonth()));
}

int yearOrder(int day, int month)
{
    return month * 32 + day;
}

// Days from the day to the nearest occurrence of the date at or after it.
qint64 daysUntil(const DayOfYear& date, const QDate& day)
{
    QDate next = inYear(date, day.year());
    if (next < day)
        next = inYear(date, day.year() + 1);
    return day.daysTo(next);
}

// Days from the nearest occurrence of the date at or before the day to the day.
qint64 daysSince(const DayOfYear& date, const QDate& day)
{
    QDate last = inYear(date, day.year());
    if (last > day)
        last = inYear(date, day.year() - 1);
    return last.daysTo(day);
}
} // namespace

UtcMoment::UtcMoment(const QDateTime& utc)
{
    const QDateTime inUtc = utc.toTimeZone(QTimeZone::utc());
    m_minute = inUtc.time().hour() * 60 + inUtc.time().minute();
    m_date = inUtc.date();
    m_dayBefore = m_date.addDays(-1);
    for (int i = 0; i < 2; ++i) {
        const int year = m_dayBefore.year() + i;
        m_summerStart[i] = lastSunday(year, 3);
        m_summerEnd[i] = lastSunday(year, 10);
    }
}

bool UtcMoment::isSummer(const QDate& day) const
{
    const int i = day.year() == m_dayBefore.year() ? 0 : 1;
    return day >= m_summerStart[i] && day < m_summerEnd[i];
}

bool isWithinDates(const ScheduleEntry& entry, const QDate& day)
{
    if (entry.from && entry.until) {
        const int from = yearOrder(entry.from->day, entry.from->month);
        const int until = yearOrder(entry.until->day, entry.until->month);
        const int today = yearOrder(day.day(), day.month());
        return from <= until ? (from <= today && today <= until)
                             : (today >= from || today <= until);
    }
    if (entry.from)
        return daysSince(*entry.from, day) < HalfYear;
    if (entry.until)
        return daysUntil(*entry.until, day) < HalfYear;
    return true;
}

bool isOnAir(const ScheduleEntry& entry, const UtcMoment& moment)
{
    if (entry.isInactive() || entry.unscheduled)
        return false;
    int length = (entry.endMinute - entry.startMinute + MinutesPerDay) % MinutesPerDay;
    if (length == 0)
        length = MinutesPerDay;
    const int into = (moment.minuteOfDay() - entry.startMinute + MinutesPerDay) % MinutesPerDay;
    if (into >= length)
        return false;
    const QDate& started = moment.startDay(entry.startMinute);
    if (!(entry.weekdays & (1 << (started.dayOfWeek() - 1))))
        return false;
    if (entry.onlyOn &&
        (entry.onlyOn->day != started.day() || entry.onlyOn->month != started.month()))
        return false;
    if (entry.persistence == 4 && moment.isSummer(started))
        return false;
    if (entry.persistence == 5 && !moment.isSummer(started))
        return false;
    return isWithinDates(entry, started);
}
