#pragma once

// What of a schedule is shown: the entries that pass the operator's filters
// (a broadcast band, a language, a target area, a text in the station or the
// site, and on the air now or all entries) and that the radio can receive.
// Entries outside the radio's range are left out and counted; inactive
// entries are never shown nor counted.
//
// Data flow: Schedule + ScheduleFilter + the UTC now -> filterSchedule() ->
// the entries shown, in the schedule's order, and the count left out.
//
// Qt Core only.

#include "schedule/broadcastbands.h"
#include "schedule/scheduleentry.h"

#include <QDateTime>

// What a radio receives, both ends included.
struct ReceiveRange {
    qint64 lowHertz;
    qint64 highHertz;

    bool contains(qint64 hertz) const { return hertz >= lowHertz && hertz <= highHertz; }
    // "500 kHz to 30 MHz"
    QString text() const;
};

// The TS-570D receives 500 kHz to 30 MHz; the TS-570S up to 60 MHz.
inline constexpr ReceiveRange ts570dRange{500'000, 30'000'000};
inline constexpr ReceiveRange ts570sRange{500'000, 60'000'000};

struct ScheduleFilter {
    const BroadcastBand* band = nullptr; // nullptr: every band
    QString language;                    // one language code; empty: any
    QString target;                      // empty: any
    QString text;                        // in the station or the site, any case; empty: any
    bool onAirOnly = true;               // else every entry of the schedule
    ReceiveRange range = ts570dRange;
};

struct FilteredSchedule {
    QList<int> shown;     // indices into the schedule's entries
    int outsideRange = 0; // entries that pass the filters but the radio cannot receive
};

FilteredSchedule filterSchedule(const Schedule& schedule, const ScheduleFilter& filter,
                                const QDateTime& utc);

// Whether a language field ("E", "S,Q") holds this code.
bool speaks(const QString& languages, const QString& language);
