#include "schedule/schedulefilter.h"

#include "schedule/onair.h"

#include <QStringMatcher>

#include <vector>

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

bool speaks(const QString& field, const QString& language)
{
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
    // What each text says is worked out once, however many entries hold it.
    const QStringList& texts = schedule.texts;
    const auto eachText = [&](bool wanted, const auto& holds) {
        std::vector<char> answers;
        if (wanted) {
            answers.resize(size_t(texts.size()));
            for (qsizetype id = 0; id < texts.size(); ++id)
                answers[size_t(id)] = holds(texts[id]);
        }
        return answers;
    };
    const QStringMatcher matcher(filter.text, Qt::CaseInsensitive);
    const bool searching = !filter.text.isEmpty();
    const std::vector<char> found =
        eachText(searching, [&](const QString& text) { return matcher.indexIn(text) >= 0; });
    const std::vector<char> speaking =
        eachText(!filter.language.isEmpty(),
                 [&](const QString& text) { return speaks(text, filter.language); });
    const std::vector<char> aimed = eachText(
        !filter.target.isEmpty(), [&](const QString& text) { return text == filter.target; });

    FilteredSchedule result;
    const QList<ScheduleEntry>& entries = schedule.entries;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const ScheduleEntry& entry = entries[i];
        if (entry.isInactive())
            continue;
        if (filter.band && !filter.band->contains(entry.hertz))
            continue;
        if (!speaking.empty() && !speaking[entry.language])
            continue;
        if (!aimed.empty() && !aimed[entry.target])
            continue;
        if (filter.onAirOnly && !isOnAir(entry, moment))
            continue;
        if (!found.empty() && !found[entry.station] && !found[entry.site])
            continue;
        if (!filter.range.contains(entry.hertz)) {
            ++result.outsideRange;
            continue;
        }
        result.shown.append(int(i));
    }
    return result;
}
