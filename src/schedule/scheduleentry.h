#pragma once

// One broadcast of a short-wave schedule in EiBi's format (sked-A25.csv and
// the like): a station on a frequency, from a start time to an end time in
// UTC, on some days, perhaps only between two dates of the season. The texts
// are kept as the file writes them; the frequency, the times, the days, the
// persistence and the dates are read into values that the "on the air" rule
// (onair.h) and the filters (schedulefilter.h) work with. The texts repeat
// (a station's name, its site, the languages and areas): each is kept once in
// the schedule and the entries name it, which keeps a season's schedule small.
//
// Qt Core only.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A day of the year without its year, as the schedule writes it ("0401" is
// 4 January); the season around the day says which year.
struct DayOfYear {
    qint8 day = 0;   // 1 to 31
    qint8 month = 0; // 1 to 12
    bool operator==(const DayOfYear&) const = default;
};

// How an entry is received: AM for broadcasts, a sideband for the utility
// stations that the schedule marks USB or LSB (or that are utility voice
// stations, which are upper sideband unless marked).
enum class Reception : quint8 { AM, UpperSideband, LowerSideband };

// A text of a schedule: where it is in the schedule's texts (0, the empty text).
using TextId = quint32;

struct ScheduleEntry {
    // Bits of weekdays, Monday first: bit 0 Monday ... bit 6 Sunday.
    static constexpr quint8 EveryDay = 0x7f;

    qint64 hertz = 0;
    // Minutes of the UTC day: the start, 0 to 1439, and the end, 0 to 1440.
    // An end at or before the start runs past midnight into the next day; an
    // end equal to the start (or "0000-2400") is all day.
    int startMinute = 0;
    int endMinute = 0;
    // The days on which the broadcast starts.
    quint8 weekdays = EveryDay;
    // "15Sep": only on that day of the year.
    std::optional<DayOfYear> onlyOn;
    // "irr", "tent", "test": on as scheduled, but not for certain.
    bool irregular = false;
    // "alt", "Ram", "Haj", "harm", "imod", ...: not on at a time the schedule
    // tells (an alternative frequency, a festival, a spurious signal).
    bool unscheduled = false;
    Reception reception = Reception::AM;
    // The persistence code without the 90 that marks a utility station: 1 to
    // 3 all season, 4 winter only, 5 summer only, 6 between the dates, 8
    // inactive (never shown).
    int persistence = 1;
    bool utility = false;
    std::optional<DayOfYear> from;  // the first day on the air
    std::optional<DayOfYear> until; // the last day on the air

    // The texts as the file writes them (Latin-1), without surrounding blanks.
    TextId time = 0;     // "2300-0100"
    TextId days = 0;     // "Mo-Fr", "", "irr"
    TextId country = 0;  // ITU code of the station's country
    TextId station = 0;  // "Radio Romania International"
    TextId language = 0; // "E", "-TS", "S,Q"
    TextId target = 0;   // "Eu", "NAm"
    TextId site = 0;     // the transmitter site (the Remarks column): "w", "/ROU-t"

    int line = 0; // in the file, from 1

    bool isInactive() const { return persistence == 8; }
    // The frequency as the schedule writes it, in kHz: "9610", "11780.5".
    QString kilohertzText() const;
};

// What was read from a schedule: its entries, by frequency then start time,
// and the lines that could not be read.
struct Schedule {
    QList<ScheduleEntry> entries;
    QStringList texts = {QString()}; // each text of the entries once
    QList<int> unreadLines;          // ascending

    const QString& text(TextId id) const { return texts.at(id); }

    // "3 lines could not be read: 41, 977, 3012", or empty when all could be.
    QString unreadLinesText() const;
};
