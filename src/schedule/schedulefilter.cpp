#include "schedule/schedulefilter.h"

#include "schedule/onair.h"

#include <QStringMatcher>

namespace {
QString frequencyText(qint64 hertz)
{
    if (hertz >= 1'000'000 && hertz % 1'000'000 == 0)
        return QStringLiteral("%1 MHz").arg(hertz / 1'000'000);
    return QStringLiteral("%1 kHz").arg(hertz / 1000);
}
} // namespace

QString ReceiveRange::text() const
{
    return QStringLiteral("%1 to %2").arg(frequencyText(lowHertz), frequencyText(highHertz));
}

bool speaks(const ScheduleEntry& entry, const QString& language)
{
    const QString& field = entry.language;
    if (field == language)
        return true;
    // Several languages: "S,Q".
    for (qsizetype start = 0; start <= field.size();) {
        qsizetype end = field.indexOf(QLatin1Char(','), start);
        if (end < 0)
            end = field.size();
        if (QStringView(field).sliced(start, end - start).trimmed() == language)
            return true;
        start = end + 1;
    }
    return false;
}

FilteredSchedule filterSchedule(const Schedule& schedule, const ScheduleFilter& filter,
                                const QDateTime& utc)
{
    const UtcMoment moment(utc);
    const bool searching = !filter.text.isEmpty();
    const QStringMatcher text(filter.text, Qt::CaseInsensitive);
    FilteredSchedule result;
    const QList<ScheduleEntry>& entries = schedule.entries;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const ScheduleEntry& entry = entries[i];
        if (entry.isInactive())
            continue;
        if (filter.band && !filter.band->contains(entry.hertz))
            continue;
        if (!filter.language.isEmpty() && !speaks(entry, filter.language))
            continue;
        if (!filter.target.isEmpty() && entry.target != filter.target)
            continue;
        if (filter.onAirOnly && !isOnAir(entry, moment))
            continue;
        // The text last: it is the dearest test, and the one that changes at each keystroke.
        if (searching && text.indexIn(entry.station) < 0 && text.indexIn(entry.site) < 0)
            continue;
        if (!filter.range.contains(entry.hertz)) {
            ++result.outsideRange;
            continue;
        }
        result.shown.append(int(i));
    }
    return result;
}
