#include "memory/memoryfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace {
// A real memory file is well under a kilobyte; even ten channels of the longest
// texts a box takes fit easily. Reading stops here so a huge file picked by
// mistake cannot exhaust memory.
constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

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

QString shownName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

QByteArray formatMemoryFile(const MemoryRecords& records)
{
    QByteArray bytes;
    for (const MemoryRecord& record : records)
        bytes += quoted(record.frequency) + ',' + quoted(record.mode) + "\r\n";
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
    while (result.fields < 2 * MemoryFileChannels) {
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

MemoryFileRead readMemoryFile(const QString& path)
{
    MemoryFileRead result;
    const QString name = shownName(path);
    const QString unchanged = QStringLiteral("The sheet was not changed.");
    if (QFileInfo(path).isDir()) {
        result.problem = QStringLiteral("%1 is a folder, not a memory file. Choose a .mem or "
                                        ".txt file. %2")
                             .arg(name, unchanged);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = QStringLiteral("The memory file %1 cannot be opened (%2). Check the "
                                        "name and that you may read the file. %3")
                             .arg(name, file.errorString(), unchanged);
        return result;
    }
    const QByteArray bytes = file.read(MaxFileBytes);
    if (file.error() != QFileDevice::NoError) {
        result.problem = QStringLiteral("The memory file %1 cannot be read (%2). %3")
                             .arg(name, file.errorString(), unchanged);
        return result;
    }
    result.contents = parseMemoryFile(bytes);
    return result;
}

QString writeMemoryFile(const QString& path, const MemoryRecords& records)
{
    const QByteArray bytes = formatMemoryFile(records);
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in write()'s count: a
    // buffered QSaveFile can lose the tail of the file at commit without saying so.
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                   file.write(bytes) == bytes.size();
    QString reason = file.errorString();
    if (written) {
        written = file.commit();
        reason = file.errorString();
    } else {
        file.cancelWriting();
    }
    if (written)
        return {};
    return QStringLiteral("The memory file %1 could not be saved (%2). Nothing was saved; a "
                          "file already there under that name is unchanged. Choose another "
                          "folder or name, or free some disk space, and save again.")
        .arg(shownName(path), reason);
}
