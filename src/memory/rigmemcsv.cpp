#include "memory/rigmemcsv.h"

#include "memory/sheetfileio.h"
#include "radio/catcommand.h"

#include <QHash>
#include <QRegularExpression>

#include <array>
#include <optional>

namespace {
// Hamlib's names for the modes the sheet has words for, in the order of the
// radio's mode digits 1 to 6, and the sheet's word for each.
struct ModeName {
    const char* hamlib;
    const char* word;
};
constexpr std::array<ModeName, 6> modeNames = {{
    {"LSB", "LSB"},
    {"USB", "USB"},
    {"CW", "CW"},
    {"FM", "FM"},
    {"AM", "AM"},
    {"RTTY", "FSK"},
}};

const QByteArray keyLine = "num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,\n";

// What the sheet's seven digits hold: tens of hertz up to 99 999 990 Hz.
constexpr qint64 MaxHertz = 99'999'990;

// A file rigmem saves for a TS-570 is a few kilobytes.
constexpr qint64 MaxFileBytes = 1024 * 1024;

QString twoDigits(int channel)
{
    return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
}

bool isControl(char c)
{
    const auto u = static_cast<uchar>(c);
    return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}

// rigmem ends every line with the separator: the empty field after it is no column.
QStringList fieldsOf(const QString& line)
{
    QStringList fields = line.split(QLatin1Char(','));
    if (fields.size() > 1 && fields.constLast().trimmed().isEmpty())
        fields.removeLast();
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

bool allDigits(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

// Hertz as rigmem writes them ("7030000"; "7030000.000000" from other tools).
std::optional<qint64> hertzOf(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^([0-9]{1,12})(\\.0*)?$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

bool saysNothing(const QString& value)
{
    return value.isEmpty() || value == QLatin1String("0");
}
} // namespace

RigmemImport parseRigmemCsv(const QByteArray& bytes)
{
    RigmemImport result;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (isControl(bytes[i])) {
            result.fault = QStringLiteral("it holds control characters, as programs, pictures "
                                          "and other data do, not text");
            return result;
        }
    }
    QString text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));

    int keyIndex = 0;
    while (keyIndex < lines.size() && lines[keyIndex].trimmed().isEmpty())
        ++keyIndex;
    const QStringList keys = keyIndex < lines.size() ? fieldsOf(lines[keyIndex]) : QStringList();
    QHash<QString, int> column;
    for (int i = 0; i < keys.size(); ++i)
        column.insert(keys[i], i);
    if (!column.contains(QStringLiteral("num")) || !column.contains(QStringLiteral("freq")) ||
        !column.contains(QStringLiteral("mode"))) {
        result.fault = QStringLiteral("its first line does not name the columns num, freq and "
                                      "mode, as the first line of a file rigmem saves does "
                                      "(num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,)");
        return result;
    }
    static const QStringList understood = {"num",     "freq",  "mode",      "tx_freq",
                                           "tx_mode", "split", "ctcss_tone"};

    QHash<int, int> firstLine; // channel -> line it was first named on
    for (int index = keyIndex + 1; index < lines.size(); ++index) {
        if (lines[index].trimmed().isEmpty())
            continue;
        const int lineNumber = index + 1;
        const QStringList fields = fieldsOf(lines[index]);
        auto value = [&](const QString& key) {
            const int at = column.value(key, -1);
            return at >= 0 && at < fields.size() ? fields[at] : QString();
        };
        const QString num = value(QStringLiteral("num"));
        if (!allDigits(num) || num.size() > 2) {
            result.problems.append(QStringLiteral("Line %1: \"%2\" is not a channel of the "
                                                  "radio (0 to 99); the line was not imported.")
                                       .arg(lineNumber)
                                       .arg(num));
            continue;
        }
        const int channel = num.toInt();
        const QString where =
            QStringLiteral("Line %1 (channel %2)").arg(lineNumber).arg(twoDigits(channel));
        if (firstLine.contains(channel)) {
            result.problems.append(QStringLiteral("%1: the channel was already on line %2; "
                                                  "this line was not imported.")
                                       .arg(where)
                                       .arg(firstLine.value(channel)));
            continue;
        }
        firstLine.insert(channel, lineNumber);
        result.mentioned.append(channel);
        const QString notChanged =
            QStringLiteral("channel %1 of the sheet was not changed.").arg(twoDigits(channel));

        const QString freq = value(QStringLiteral("freq"));
        const std::optional<qint64> hertz = hertzOf(freq);
        if (!hertz) {
            result.problems.append(QStringLiteral("%1: the frequency \"%2\" is not a number of "
                                                  "hertz; %3")
                                       .arg(where, freq, notChanged));
            continue;
        }
        if (*hertz % 10 != 0 || *hertz > MaxHertz) {
            result.problems.append(
                QStringLiteral("%1: the frequency %2 Hz %3, which the sheet's seven digits in "
                               "tens of hertz cannot hold; %4")
                    .arg(where, QString::number(*hertz),
                         *hertz % 10 != 0 ? QStringLiteral("is not whole tens of hertz")
                                          : QStringLiteral("is above 99999990 Hz"),
                         notChanged));
            continue;
        }
        const QString mode = value(QStringLiteral("mode"));
        const ModeName* name = nullptr;
        for (const ModeName& known : modeNames)
            if (mode.compare(QLatin1String(known.hamlib), Qt::CaseInsensitive) == 0)
                name = &known;
        if (!name) {
            result.problems.append(
                QStringLiteral("%1: the mode \"%2\" has no word in the sheet (it has LSB, USB, "
                               "CW, FM, AM and FSK, which rigmem calls RTTY); %3")
                    .arg(where, mode, notChanged));
            continue;
        }
        result.channels.append({channel,
                                {QStringLiteral("%1").arg(*hertz / 10, 7, 10, QLatin1Char('0')),
                                 QString::fromLatin1(name->word)}});

        // What the channel holds beyond a frequency and a mode is named, not dropped.
        const QString txFreq = value(QStringLiteral("tx_freq"));
        if (value(QStringLiteral("split")) == QLatin1String("on") && !saysNothing(txFreq) &&
            hertzOf(txFreq) != hertz)
            result.problems.append(QStringLiteral("%1: the split transmit frequency %2 Hz %3 is "
                                                  "not kept, as the sheet holds one frequency "
                                                  "per channel; the receive frequency was "
                                                  "imported.")
                                       .arg(where, txFreq, value(QStringLiteral("tx_mode"))));
        const QString tone = value(QStringLiteral("ctcss_tone"));
        if (!saysNothing(tone))
            result.problems.append(QStringLiteral("%1: the CTCSS tone %2 (tenths of a hertz) is "
                                                  "not kept, as the sheet holds no tones; the "
                                                  "frequency and mode were imported.")
                                       .arg(where, tone));
        for (const QString& key : keys) {
            if (understood.contains(key) || saysNothing(value(key)))
                continue;
            result.problems.append(QStringLiteral("%1: the column %2 (%3) is not kept, as the "
                                                  "sheet has no place for it; the frequency and "
                                                  "mode were imported.")
                                       .arg(where, key, value(key)));
        }
    }
    return result;
}

RigmemExport formatRigmemCsv(const MemoryRecords& records)
{
    RigmemExport result;
    result.bytes = keyLine;
    static const QRegularExpression sevenDigits(QStringLiteral("^[0-9]{7}$"));
    for (int channel = 0; channel < MemorySheetChannels; ++channel) {
        const MemoryRecord& record = records[channel];
        if (record.frequency.isEmpty())
            continue;
        const QString where = QStringLiteral("Channel %1").arg(twoDigits(channel));
        if (!sevenDigits.match(record.frequency).hasMatch()) {
            result.problems.append(QStringLiteral("%1: the frequency \"%2\" is not seven "
                                                  "digits; the channel was not exported.")
                                       .arg(where, record.frequency));
            continue;
        }
        const std::optional<QString> digit = CatCommand::modeDigitFor(record.mode);
        if (!digit) {
            result.problems.append(QStringLiteral("%1: the mode \"%2\" is not one of lsb, usb, "
                                                  "cw, fm, am or fsk (all in lower case or all "
                                                  "in upper case); the channel was not "
                                                  "exported.")
                                       .arg(where, record.mode));
            continue;
        }
        const qint64 hertz = record.frequency.toLongLong() * 10;
        result.bytes += QByteArray::number(channel) + ',' + QByteArray::number(hertz) + ',' +
                        modeNames[digit->toInt() - 1].hamlib + ",0,,off,0,\n";
        ++result.channels;
    }
    return result;
}

namespace {
SheetFileKind rigmemFileKind()
{
    return {QStringLiteral("rigmem file"), QStringLiteral("Choose a .csv file that rigmem saved."),
            QStringLiteral("one that rigmem saves for a TS-570 is a few kilobytes"), MaxFileBytes};
}
} // namespace

RigmemFileRead readRigmemFile(const QString& path)
{
    RigmemFileRead result;
    const SheetFileBytes file = readSheetFile(path, rigmemFileKind());
    if (!file.problem.isEmpty()) {
        result.problem = file.problem;
        return result;
    }
    result.contents = parseRigmemCsv(file.bytes);
    if (!result.contents.fault.isEmpty())
        result.problem = QStringLiteral("%1 cannot be a file that rigmem saved: %2. Choose the "
                                        ".csv file that \"rigmem save\" wrote. The sheet was not "
                                        "changed.")
                             .arg(shownFileName(path), result.contents.fault);
    return result;
}

QString writeRigmemFile(const QString& path, const QByteArray& bytes)
{
    return writeSheetFile(path, bytes, rigmemFileKind());
}
