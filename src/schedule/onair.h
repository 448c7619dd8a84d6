#pragma once

// Whether a schedule entry is on the air at a moment, UTC.
//
// An entry is on from its start minute up to, not including, its end minute;
// one whose end is at or before its start runs past midnight, so "2300-0100"
// is on at 00:30 and off at 01:00. Everything else is asked of the day the
// broadcast started (the day before, after midnight): its weekday against the
// days, its date against "15Sep", the start and stop dates, and the season
// for the entries of one season only. A date without a year is taken in the
// year that puts it nearest the day asked, so a winter season's dates work
// across the new year; a start date and a stop date together make a window
// of the year, which may run over the new year. The summer season runs from
// the last Sunday of March to the last Sunday of October. Inactive entries
// and those without a schedulable time ("alt", "Ram", a harmonic) are never
// on.
//
// Qt Core only.

#include "schedule/scheduleentry.h"

#include <QDate>
#include <QDateTime>

// A moment worked out once, for all the entries asked about it.
class UtcMoment {
public:
    explicit UtcMoment(const QDateTime& utc);

    int minuteOfDay() const { return m_minute; }
    QDate date() const { return m_date; }
    // The day a broadcast starting at this minute of the day started on.
    const QDate& startDay(int startMinute) const
    {
        return startMinute <= m_minute ? m_date : m_dayBefore;
    }
    bool isSummer(const QDate& day) const;

private:
    int m_minute = 0;
    QDate m_date;
    QDate m_dayBefore;
    // Where the summer season begins and ends in the two years these days fall in.
    QDate m_summerStart[2];
    QDate m_summerEnd[2];
};

bool isOnAir(const ScheduleEntry& entry, const UtcMoment& moment);
inline bool isOnAir(const ScheduleEntry& entry, const QDateTime& utc)
{
    return isOnAir(entry, UtcMoment(utc));
}

// Whether a day lies within the entry's start and stop dates (both optional).
bool isWithinDates(const ScheduleEntry& entry, const QDate& day);
