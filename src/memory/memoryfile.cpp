#include "memory/memoryfile.h"

#include "memory/sheetfileio.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <utility>

namespace {
// A real memory file is a few kilobytes; even a hundred channels of the
// longest texts a box takes (three UTF-8 bytes a character) fit. A larger file
// is refused unread, so a huge file picked by mistake can neither exhaust
// memory nor load cut short.
constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;

// Tabs and line ends are text; a DOS end-of-file mark may close a file.
bool isTextControl(uchar c)
{
    return c == '\t' || c == '\r' || c == '\n';
}

bool isControl(uchar c)
{
    return (c < 0x20 && !isTextControl(c)) || c == 0x7F;
}

QString hexByte(uint c)
{
    return QStringLiteral("0x") +
           QString::number(c, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

// The first text of the records that fails the check, named for a message
// ("the mode of channel 03").
template <typename Check>
std::optional<std::pair<QString, QString>> findText(const MemoryRecords& records, Check fails)
{
    for (int channel = 0; channel < MemorySheetChannels; ++channel) {
        const MemoryRecord& record = records[channel];
        for (const auto& [field, text] :
             {std::pair{"frequency", &record.frequency}, std::pair{"mode", &record.mode}}) {
            if (fails(*text))
                return std::pair{
                    QStringLiteral("the %1 of channel %2")
                        .arg(QString::fromLatin1(field),
                             QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'))),
                    *text};
        }
    }
    return std::nullopt;
}

QByteArray quoted(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('"', QByteArrayLiteral("\"\""));
    return '"' + bytes + '"';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isDelimiter(char c)
{
    return c == ',' || isLineEnd(c);
}

// Files written by Quillard are UTF-8 (plain ASCII for ordinary entries);
// files from elsewhere may be in a one-byte code page, read as Latin-1.
bool isUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

SheetFileKind memoryFileKind()
{
    return {QStringLiteral("memory file"), QStringLiteral("Choose a .mem or .txt file."),
            QStringLiteral("one that Quillard saves is a few kilobytes"), MaxFileBytes};
}
} // namespace

bool needsAllChannels(const MemoryRecords& records)
{
    return std::any_of(records.begin() + MemoryFileChannels, records.end(),
                       [](const MemoryRecord& record) { return record != MemoryRecord{}; });
}

QByteArray formatMemoryFile(const MemoryRecords& records)
{
    const int channels = needsAllChannels(records) ? MemorySheetChannels : MemoryFileChannels;
    QByteArray bytes;
    for (int channel = 0; channel < channels; ++channel)
        bytes += quoted(records[channel].frequency) + ',' + quoted(records[channel].mode) + "\r\n";
    return bytes;
}

MemoryFileContents parseMemoryFile(const QByteArray& input)
{
    QByteArrayView bytes(input);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const bool utf8 = isUtf8(bytes.toByteArray());
    const qsizetype n = bytes.size();

    MemoryFileContents result;
    auto addField = [&](const QByteArray& text) {
        // A byte order mark inside a text is part of the text, not a marker to drop.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                         QStringDecoder::Flag::ConvertInitialBom);
        const QString decoded = utf8 ? QString(decoder.decode(text)) : QString::fromLatin1(text);
        MemoryRecord& record = result.records[result.fields / 2];
        (result.fields % 2 == 0 ? record.frequency : record.mode) = decoded;
        ++result.fields;
    };
    auto skipLineEnd = [&](qsizetype& i) {
        if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        ++i;
    };

    qsizetype i = 0;
    bool afterComma = false; // a comma promises one more field, even an empty one
    while (result.fields < 2 * MemorySheetChannels) {
        while (i < n && isBlank(bytes[i]))
            ++i;
        if (i >= n) {
            if (afterComma)
                addField({});
            break;
        }
        if (isLineEnd(bytes[i])) {
            // A line end right after a comma ends an empty field; a blank
            // line between records is not a field.
            if (afterComma)
                addField({});
            afterComma = false;
            skipLineEnd(i);
            continue;
        }
        QByteArray text;
        if (bytes[i] == '"') {
            ++i;
            while (i < n) {
                if (bytes[i] == '"') {
                    if (i + 1 < n && bytes[i + 1] == '"') {
                        text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                text += bytes[i++];
            }
            // Anything between the closing quote and the next delimiter is not part of the text.
            while (i < n && !isDelimiter(bytes[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && !isDelimiter(bytes[i]))
                ++i;
            qsizetype end = i;
            while (end > start && isBlank(bytes[end - 1]))
                --end;
            text = bytes.sliced(start, end - start).toByteArray();
        }
        addField(text);
        afterComma = i < n && bytes[i] == ',';
        if (afterComma)
            ++i;
        else if (i < n)
            skipLineEnd(i);
    }
    return result;
}

QString memoryFileFault(const QByteArray& bytes, const MemoryFileContents& parsed)
{
    qsizetype end = bytes.size();
    if (end > 0 && bytes[end - 1] == '\x1A')
        --end;
    for (qsizetype i = 0; i < end; ++i) {
        const uchar c = static_cast<uchar>(bytes[i]);
        if (!isControl(c))
            continue;
        const qsizetype line = bytes.first(i).count('\n') + 1;
        return QStringLiteral("it holds control characters, as programs, pictures and other "
                              "data do, not text (the first, byte %1, is on line %2)")
            .arg(hexByte(c), QString::number(line));
    }
    const auto tooLong = findText(
        parsed.records, [](const QString& text) { return text.size() > MemoryEntryMaxChars; });
    if (tooLong)
        return QStringLiteral("%1 is %2 characters long, far longer than any entry (a box of the "
                              "sheet holds %3)")
            .arg(tooLong->first, QString::number(tooLong->second.size()),
                 QString::number(MemoryEntryMaxChars));
    return {};
}

MemoryFileRead readMemoryFile(const QString& path)
{
    MemoryFileRead result;
    const SheetFileBytes file = readSheetFile(path, memoryFileKind());
    if (!file.problem.isEmpty()) {
        result.problem = file.problem;
        return result;
    }
    const MemoryFileContents contents = parseMemoryFile(file.bytes);
    const QString fault = memoryFileFault(file.bytes, contents);
    if (!fault.isEmpty()) {
        result.problem = QStringLiteral("%1 cannot be a memory file: %2. Choose a .mem or .txt "
                                        "file of one line per channel, each a frequency and a "
                                        "mode. The sheet was not changed.")
                             .arg(shownFileName(path), fault);
        return result;
    }
    result.contents = contents;
    return result;
}

QString memoryTextsFault(const MemoryRecords& records)
{
    auto control = [](QChar c) { return c.unicode() < 0x80 && isControl(c.unicode()); };
    const auto withControl = findText(records, [&control](const QString& text) {
        return std::any_of(text.begin(), text.end(), control);
    });
    if (withControl) {
        const QString& text = withControl->second;
        return QStringLiteral("%1 holds a control character (%2), which a memory file cannot "
                              "keep. Remove it (it may have come with pasted text) and save "
                              "again.")
            .arg(withControl->first.at(0).toUpper() + withControl->first.mid(1),
                 hexByte(std::find_if(text.begin(), text.end(), control)->unicode()));
    }
    return {};
}

QString writeMemoryFile(const QString& path, const MemoryRecords& records)
{
    const QString fault = memoryTextsFault(records);
    if (!fault.isEmpty())
        return fault + QStringLiteral(" Nothing was saved.");
    return writeSheetFile(path, formatMemoryFile(records), memoryFileKind());
}
