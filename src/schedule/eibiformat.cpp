#include "schedule/eibiformat.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
constexpr int FieldCount = 11;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(QByteArrayView text, QByteArrayView word)
{
    if (text.size() != word.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (lower(text[i]) != word[i])
            return false;
    return true;
}

QString quoted(QByteArrayView text)
{
    return QLatin1Char('"') + lineExcerpt(text) + QLatin1Char('"');
}

int daysInMonth(int month)
{
    // February counts its leap day: the schedule gives no year.
    static constexpr std::array<int, 12> days = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return days[month - 1];
}

// "HHMM" as minutes of the day, 0 to 1440 ("2400" is the end of the day).
std::optional<int> minuteOfDay(QByteArrayView text)
{
    if (!std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[2] - '0') * 10 + (text[3] - '0');
    if (minutes > 59 || hours > 24 || (hours == 24 && minutes != 0))
        return std::nullopt;
    return hours * 60 + minutes;
}

std::optional<QString> readTime(QByteArrayView text, ScheduleEntry& entry)
{
    const auto fault = [&] {
        return QStringLiteral("the time %1 is not HHMM-HHMM in UTC").arg(quoted(text));
    };
    if (text.size() != 9 || text[4] != '-')
        return fault();
    const std::optional<int> start = minuteOfDay(text.first(4));
    const std::optional<int> end = minuteOfDay(text.last(4));
    // A broadcast starts within its day: "2400" only ends one.
    if (!start || !end || *start == 24 * 60)
        return fault();
    entry.startMinute = *start;
    entry.endMinute = *end;
    return std::nullopt;
}

// Kilohertz with up to three decimals as hertz; a fourth decimal rounds.
std::optional<QString> readFrequency(QByteArrayView text, ScheduleEntry& entry)
{
    const auto fault = [&] {
        return QStringLiteral("the frequency %1 is not a number of kHz").arg(quoted(text));
    };
    qint64 hertz = 0;
    int wholeDigits = 0;
    qsizetype i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        // Eight digits of kHz still fit the radio's eleven digits of hertz.
        if (++wholeDigits > 8)
            return fault();
        hertz = hertz * 10 + (text[i] - '0');
    }
    hertz *= 1000;
    int fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        qint64 scale = 100;
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++fractionDigits) {
            if (fractionDigits < 3)
                hertz += (text[i] - '0') * scale;
            else if (fractionDigits == 3 && text[i] >= '5')
                ++hertz;
            scale /= 10;
        }
    }
    if (i != text.size() || wholeDigits + fractionDigits == 0 || hertz <= 0)
        return fault();
    entry.hertz = hertz;
    return std::nullopt;
}

int weekdayOf(char first, char second)
{
    static constexpr std::array<const char*, 7> names = {"mo", "tu", "we", "th", "fr", "sa", "su"};
    for (int day = 0; day < 7; ++day)
        if (names[day][0] == lower(first) && names[day][1] == lower(second))
            return day;
    return -1;
}

// "15Sep": a day and a month's English abbreviation.
std::optional<DayOfYear> dayAndMonthName(QByteArrayView text)
{
    static constexpr std::array<const char*, 12> months = {
        "jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
    if (text.size() < 4 || text.size() > 5)
        return std::nullopt;
    const QByteArrayView digits = text.first(text.size() - 3);
    if (!std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    const int day = digits.size() == 1 ? digits[0] - '0' : (digits[0] - '0') * 10 + digits[1] - '0';
    for (int month = 1; month <= 12; ++month) {
        if (equalsIgnoringCase(text.last(3), months[month - 1]) && day >= 1 &&
            day <= daysInMonth(month))
            return DayOfYear{qint8(day), qint8(month)};
    }
    return std::nullopt;
}

// The days field never makes a line unreadable: it also carries remarks.
// What is not a set of weekdays nor a known remark marks the entry as not on
// the air at a time the schedule tells.
void readDays(QByteArrayView text, ScheduleEntry& entry)
{
    if (text.isEmpty())
        return;
    if (const std::optional<DayOfYear> date = dayAndMonthName(text)) {
        entry.onlyOn = date;
        return;
    }
    quint8 days = 0;
    int previousDay = -1; // the day just read, for a range
    int rangeStart = -1;  // a day followed by "-"
    const auto addDay = [&](int day) {
        if (rangeStart >= 0) {
            for (int d = rangeStart;; d = (d + 1) % 7) {
                days |= quint8(1 << d);
                if (d == day)
                    break;
            }
            rangeStart = -1;
        } else {
            days |= quint8(1 << day);
        }
        previousDay = day;
    };
    for (qsizetype i = 0; i < text.size();) {
        const char c = text[i];
        if (c >= '1' && c <= '7') {
            addDay(c - '1');
            ++i;
        } else if (isLetter(c)) {
            qsizetype end = i;
            while (end < text.size() && isLetter(text[end]))
                ++end;
            const QByteArrayView word = text.sliced(i, end - i);
            bool weekdays = word.size() % 2 == 0;
            for (qsizetype k = 0; weekdays && k < word.size(); k += 2)
                weekdays = weekdayOf(word[k], word[k + 1]) >= 0;
            if (weekdays) {
                for (qsizetype k = 0; k < word.size(); k += 2)
                    addDay(weekdayOf(word[k], word[k + 1]));
            } else {
                if (equalsIgnoringCase(word, "irr") || equalsIgnoringCase(word, "tent") ||
                    equalsIgnoringCase(word, "test"))
                    entry.irregular = true;
                else if (equalsIgnoringCase(word, "usb"))
                    entry.reception = Reception::UpperSideband;
                else if (equalsIgnoringCase(word, "lsb"))
                    entry.reception = Reception::LowerSideband;
                else
                    entry.unscheduled = true;
                previousDay = -1;
            }
            i = end;
        } else if (c == '-' && previousDay >= 0 && rangeStart < 0) {
            rangeStart = previousDay;
            previousDay = -1;
            ++i;
        } else if (c == ',' || c == ' ') {
            previousDay = -1;
            ++i;
        } else {
            // "1.Sa", "MF-15", "0": days the rule cannot follow.
            entry.unscheduled = true;
            previousDay = -1;
            ++i;
        }
    }
    if (rangeStart >= 0)
        entry.unscheduled = true;
    if (days)
        entry.weekdays = days;
}

std::optional<QString> readPersistence(QByteArrayView text, ScheduleEntry& entry)
{
    if (text.isEmpty())
        return std::nullopt; // as 1: on all season
    if (text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit))
        return QStringLiteral("the persistence code %1 is not a number").arg(quoted(text));
    int code = text.size() == 1 ? text[0] - '0' : (text[0] - '0') * 10 + text[1] - '0';
    // 90 plus a code marks a utility station.
    if (code >= 90) {
        entry.utility = true;
        code -= 90;
    }
    entry.persistence = code;
    return std::nullopt;
}

std::optional<QString> readDate(QByteArrayView text, const char* what,
                                std::optional<DayOfYear>& date)
{
    if (text.isEmpty())
        return std::nullopt;
    if (text.size() == 4 && std::all_of(text.begin(), text.end(), isDigit)) {
        const int day = (text[0] - '0') * 10 + text[1] - '0';
        const int month = (text[2] - '0') * 10 + text[3] - '0';
        if (month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(month)) {
            date = DayOfYear{qint8(day), qint8(month)};
            return std::nullopt;
        }
    }
    return QStringLiteral("the %1 date %2 is not DDMM").arg(QLatin1String(what), quoted(text));
}

// The stop date may carry the month the broadcast was last heard: "3006[0725]", "[0225]".
QByteArrayView withoutLastHeard(QByteArrayView text)
{
    if (text.endsWith(']')) {
        const qsizetype open = text.lastIndexOf('[');
        if (open >= 0)
            return text.first(open).trimmed();
    }
    return text;
}

// The texts of a schedule, each made once (from Latin-1) and named by the
// entries that hold it.
class TextPool {
public:
    explicit TextPool(QStringList& texts) : m_texts(texts) {}

    TextId operator()(QByteArrayView text)
    {
        if (text.isEmpty())
            return 0;
        const std::string_view key(text.data(), size_t(text.size()));
        auto found = m_ids.find(key);
        if (found == m_ids.end()) {
            found = m_ids.emplace(key, TextId(m_texts.size())).first;
            m_texts.append(QString::fromLatin1(text.data(), text.size()));
        }
        return found->second;
    }

private:
    QStringList& m_texts;
    // The keys point into the bytes being read, which outlive the pool.
    std::unordered_map<std::string_view, TextId> m_ids;
};

bool isHeader(QByteArrayView line)
{
    return line.size() >= 3 && equalsIgnoringCase(line.first(3), "khz") && line.count(';') >= 10;
}

// The next line of bytes from pos, without its end (CR LF, LF or CR).
QByteArrayView nextLine(const QByteArray& bytes, qsizetype& pos)
{
    const qsizetype start = pos;
    qsizetype end = start;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
        ++end;
    pos = end;
    if (pos < bytes.size()) {
        if (bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n')
            ++pos;
        ++pos;
    }
    return QByteArrayView(bytes).sliced(start, end - start);
}
// By frequency, then start time, then line. A schedule comes nearly sorted;
// the entries are large, so their order is worked out on small keys and
// each entry moves once, in place.
void sortByFrequencyAndTime(QList<ScheduleEntry>& entries)
{
    const auto before = [](const ScheduleEntry& a, const ScheduleEntry& b) {
        return a.hertz != b.hertz ? a.hertz < b.hertz : a.startMinute < b.startMinute;
    };
    if (std::is_sorted(entries.cbegin(), entries.cend(), before))
        return;
    struct Key {
        qint64 hertz;
        int startMinute;
        int index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.push_back({entries[i].hertz, entries[i].startMinute, int(i)});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.hertz, a.startMinute, a.index) <
               std::tie(b.hertz, b.startMinute, b.index);
    });
    // Place i takes the entry keys[i] names: follow each cycle of moves once.
    std::vector<bool> placed(keys.size());
    for (std::size_t start = 0; start < keys.size(); ++start) {
        if (placed[start])
            continue;
        ScheduleEntry carried = std::move(entries[qsizetype(start)]);
        std::size_t place = start;
        for (;;) {
            placed[place] = true;
            const auto from = std::size_t(keys[place].index);
            if (from == start) {
                entries[qsizetype(place)] = std::move(carried);
                break;
            }
            entries[qsizetype(place)] = std::move(entries[qsizetype(from)]);
            place = from;
        }
    }
}
} // namespace

QString lineExcerpt(QByteArrayView line)
{
    constexpr qsizetype shown = 40;
    QString text = QString::fromLatin1(line.first(std::min(line.size(), shown)));
    // Control and format characters (a soft hyphen, say) would not show.
    for (QChar& c : text)
        if (!c.isPrint())
            c = QLatin1Char('?');
    if (line.size() > shown)
        text += QStringLiteral("...");
    return text;
}

namespace {
// Why one line (without its line end) is not a schedule entry, or nothing when
// it is one; the entry is filled in when it is.
std::optional<QString> parseLine(QByteArrayView line, ScheduleEntry& entry, TextPool& latin1)
{
    if (line.size() > ScheduleLineMaxBytes)
        return QStringLiteral("it is longer than %1 characters").arg(ScheduleLineMaxBytes);
    for (char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7f)
            return QStringLiteral("it holds control characters");
    }
    std::array<QByteArrayView, FieldCount + 1> fields;
    int count = 0;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = line.indexOf(';', start);
        const QByteArrayView field =
            (end < 0 ? line.sliced(start) : line.sliced(start, end - start)).trimmed();
        if (count < int(fields.size()))
            fields[count] = field;
        ++count;
        if (end < 0)
            break;
        start = end + 1;
    }
    // The header's trailing ";" may follow a line too.
    if (count == FieldCount + 1 && fields[FieldCount].isEmpty())
        count = FieldCount;
    if (count != FieldCount)
        return QStringLiteral("it has %1 fields separated by \";\", where a schedule line has %2")
            .arg(count)
            .arg(FieldCount);

    entry = ScheduleEntry{};
    if (auto fault = readFrequency(fields[0], entry))
        return fault;
    if (auto fault = readTime(fields[1], entry))
        return fault;
    if (auto fault = readPersistence(fields[8], entry))
        return fault;
    if (auto fault = readDate(fields[9], "start", entry.from))
        return fault;
    if (auto fault = readDate(withoutLastHeard(fields[10]), "stop", entry.until))
        return fault;
    readDays(fields[2], entry);
    // Utility voice stations are upper sideband unless the days say otherwise.
    if (entry.utility && entry.reception == Reception::AM)
        entry.reception = Reception::UpperSideband;
    entry.time = latin1(fields[1]);
    entry.days = latin1(fields[2]);
    entry.country = latin1(fields[3]);
    entry.station = latin1(fields[4]);
    entry.language = latin1(fields[5]);
    entry.target = latin1(fields[6]);
    entry.site = latin1(fields[7]);
    return std::nullopt;
}
} // namespace

ScheduleRead parseSchedule(const QByteArray& bytes)
{
    ScheduleRead read;
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    if (QByteArrayView(bytes).sliced(pos).trimmed().isEmpty()) {
        read.problem = QStringLiteral("it is empty");
        return read;
    }
    // One entry a line, near enough: no growing on the way.
    read.schedule.entries.reserve(bytes.count('\n') + 1);
    QString firstFault;
    TextPool latin1(read.schedule.texts);
    int lineNumber = 0;
    bool first = true; // the first line that is not blank: the header, or an entry
    while (pos < bytes.size()) {
        const QByteArrayView line = nextLine(bytes, pos);
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const bool header = first && isHeader(line);
        const bool wasFirst = std::exchange(first, false);
        if (header)
            continue;
        ScheduleEntry entry;
        if (std::optional<QString> fault = parseLine(line, entry, latin1)) {
            if (wasFirst) {
                read.problem = QStringLiteral("line %1 should be EiBi's header "
                                              "(\"kHz:75;Time(UTC):93;Days:59;...\") or a "
                                              "schedule line, but it reads \"%2\"")
                                   .arg(lineNumber)
                                   .arg(lineExcerpt(line));
                read.problemLine = lineNumber;
                return read;
            }
            if (firstFault.isEmpty())
                firstFault = *fault;
            read.schedule.unreadLines.append(lineNumber);
            continue;
        }
        entry.line = lineNumber;
        read.schedule.entries.append(std::move(entry));
    }
    if (read.schedule.entries.isEmpty() && !read.schedule.unreadLines.isEmpty()) {
        read.problemLine = read.schedule.unreadLines.constFirst();
        read.problem = QStringLiteral("it stops making sense at line %1: %2")
                           .arg(read.problemLine)
                           .arg(firstFault);
        read.schedule = Schedule{};
        return read;
    }
    sortByFrequencyAndTime(read.schedule.entries);
    return read;
}
