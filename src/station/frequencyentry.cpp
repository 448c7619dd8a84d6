#include "station/frequencyentry.h"

#include "radio/catcommand.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {
struct Unit {
    const char* name; // as typed, in lower case
    const char* shown;
    int decimals; // digits of hertz after its decimal point
};
// Longest first: "mhz" and "khz" end in "hz".
constexpr std::array<Unit, 3> units = {{
    {"mhz", "MHz", 6},
    {"khz", "kHz", 3},
    {"hz", "Hz", 0},
}};
const Unit& kilohertz = units[1];
const Unit& megahertzUnit = units[0];

// Beyond this many digits before the point, no radio frequency is meant.
constexpr int longestWhole = 12;

// The typed text as a message quotes it: short, and printable.
QString quoted(const QString& typed)
{
    QString shown;
    for (QChar c : typed)
        shown += c.isPrint() ? c : QLatin1Char('?');
    if (shown.size() > 32)
        shown = shown.left(30) + QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

QString notAFrequency(const QString& typed)
{
    return QStringLiteral("%1 is not a frequency. Type %2.").arg(quoted(typed), frequencyForms());
}

bool allDigits(const QString& text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// "14,074" with its separators taken out; false when a comma does not stand
// between groups of three digits.
bool withoutSeparators(const QString& whole, QString& digits)
{
    const QStringList groups = whole.split(QLatin1Char(','));
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString& group = groups[i];
        const bool sized = i == 0 ? group.size() >= 1 && group.size() <= 3 : group.size() == 3;
        if (!allDigits(group) || (groups.size() > 1 && !sized))
            return false;
    }
    digits = groups.join(QString());
    return true;
}
} // namespace

QString frequencyForms()
{
    return QStringLiteral("kHz (14074 or 14074.5), MHz (14.074, or 14.074 MHz) or Hz "
                          "(14074000 Hz); 14,074.000 with commas is kHz too");
}

TypedFrequency readFrequency(const QString& typed, RadioModel model)
{
    TypedFrequency read;
    QString text = typed.trimmed();
    if (text.isEmpty()) {
        read.problem = QStringLiteral("Type a frequency: %1.").arg(frequencyForms());
        return read;
    }
    const Unit* unit = nullptr;
    for (const Unit& candidate : units) {
        if (text.endsWith(QLatin1String(candidate.name), Qt::CaseInsensitive)) {
            unit = &candidate;
            text.chop(qsizetype(qstrlen(candidate.name)));
            text = text.trimmed();
            break;
        }
    }
    if (text.startsWith(QLatin1Char('-'))) {
        read.problem = QStringLiteral("A frequency cannot be negative: %1.").arg(quoted(typed));
        return read;
    }
    if (text.count(QLatin1Char('.')) > 1) {
        read.problem = QStringLiteral("%1 has more than one decimal point. Type %2.")
                           .arg(quoted(typed), frequencyForms());
        return read;
    }
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    QString wholeDigits;
    if (whole.isEmpty() && fraction.isEmpty()) {
        read.problem = notAFrequency(typed);
        return read;
    }
    if (!allDigits(fraction) || !withoutSeparators(whole, wholeDigits)) {
        read.problem = whole.contains(QLatin1Char(',')) && allDigits(fraction)
                           ? QStringLiteral("%1: a comma goes only between groups of three "
                                            "digits before the decimal point, as in 14,074.5 "
                                            "(kHz).")
                                 .arg(quoted(typed))
                           : notAFrequency(typed);
        return read;
    }
    // Leading zeros say nothing; beyond a dozen digits no radio frequency is meant.
    while (wholeDigits.size() > 1 && wholeDigits.startsWith(QLatin1Char('0')))
        wholeDigits.remove(0, 1);
    const bool huge = wholeDigits.size() > longestWhole;
    const quint64 wholeValue = huge ? 0 : wholeDigits.toULongLong();
    if (!unit)
        unit = point >= 0 && !huge && wholeValue < 100 ? &megahertzUnit : &kilohertz;

    QString shownValue = (wholeDigits.isEmpty() ? QStringLiteral("0") : wholeDigits);
    if (!fraction.isEmpty())
        shownValue += QLatin1Char('.') + fraction;
    shownValue += QLatin1Char(' ') + QLatin1String(unit->shown);

    // Digits beyond the hertz must all be zeros.
    QString hertzFraction = fraction.left(unit->decimals);
    if (!QString(fraction.mid(unit->decimals)).remove(QLatin1Char('0')).isEmpty()) {
        read.problem =
            QStringLiteral("%1 is finer than 1 Hz, which the radio cannot tune.").arg(shownValue);
        return read;
    }
    hertzFraction = hertzFraction.leftJustified(unit->decimals, QLatin1Char('0'));
    quint64 scale = 1;
    for (int i = 0; i < unit->decimals; ++i)
        scale *= 10;
    const TuningRange range = tuningRange(model);
    // At most twelve digits times a million: well inside 64 bits.
    const quint64 hertz =
        huge ? 0 : wholeValue * scale + (hertzFraction.isEmpty() ? 0 : hertzFraction.toULongLong());
    if (huge || !range.contains(hertz)) {
        read.problem = QStringLiteral("%1 is outside the %2's range, %3.")
                           .arg(shownValue, modelName(model), rangeWords(range));
        // "14" alone is kilohertz: an operator meaning megahertz is told how.
        if (unit == &kilohertz && point < 0 && !huge && wholeValue < 100 &&
            !typed.contains(QLatin1String("khz"), Qt::CaseInsensitive))
            read.problem +=
                QStringLiteral(" For megahertz, type a decimal point: %1.0.").arg(wholeValue);
        return read;
    }
    read.hertz = hertz;
    return read;
}

TypedOffset readOffset(const QString& typed)
{
    TypedOffset read;
    QString text = typed.trimmed();
    if (text.endsWith(QLatin1String("hz"), Qt::CaseInsensitive)) {
        text.chop(2);
        text = text.trimmed();
    }
    const int limit = CatCommand::offsetLimitHertz;
    const int step = CatCommand::offsetStepHertz;
    const QString how =
        QStringLiteral("Type the offset in hertz, -%1 to %1 in steps of %2 (120, -50).")
            .arg(limit)
            .arg(step);
    int sign = 1;
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) {
        sign = text.startsWith(QLatin1Char('-')) ? -1 : 1;
        text.remove(0, 1);
    }
    if (text.isEmpty() || !allDigits(text)) {
        read.problem = text.isEmpty() && typed.trimmed().isEmpty()
                           ? how
                           : QStringLiteral("%1 is not an offset. %2").arg(quoted(typed), how);
        return read;
    }
    if (text.size() > 5 || text.toInt() > limit) {
        read.problem = QStringLiteral("%1 is beyond the radio's limit: the offset reaches %2 Hz "
                                      "either side.")
                           .arg(quoted(typed))
                           .arg(limit);
        return read;
    }
    const int hertz = sign * text.toInt();
    if (hertz % step != 0) {
        const int below = hertz - hertz % step;
        const int other = below + (hertz > 0 ? step : -step);
        read.problem = QStringLiteral("The offset moves in steps of %1 Hz: type %2 or %3.")
                           .arg(step)
                           .arg(std::min(below, other))
                           .arg(std::max(below, other));
        return read;
    }
    read.hertz = hertz;
    return read;
}
