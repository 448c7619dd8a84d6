#pragma once

// Memory files: the memory sheet as lines of two double-quoted texts,
// frequency and mode, separated by a comma and ended by CR LF, for example
// "2840000","usb". A record's channel is its position. A sheet whose channels
// 10 to 99 are all empty is saved as the ten records of channels 00 to 09,
// the file older Quillard versions wrote and read; any text in 10 to 99 makes
// it a hundred records, of which an older reader takes the first ten.
//
// The texts are kept exactly as typed. A double quote inside a text is written
// doubled, as in CSV, so it reads back as it was typed; other files are byte
// for byte what older Quillard versions wrote. The reader also takes fields
// without quotes, blanks around them, and CR, LF or CR LF line ends.
//
// This unit needs Qt Core only, so the fuzz target can link it on its own.

#include <QByteArray>
#include <QString>

#include <array>

struct MemoryRecord {
    QString frequency;
    QString mode;
    bool operator==(const MemoryRecord&) const = default;
};

// The channels of a short (older) memory file, and of the sheet.
inline constexpr int MemoryFileChannels = 10;
inline constexpr int MemorySheetChannels = 100;
using MemoryRecords = std::array<MemoryRecord, MemorySheetChannels>;
// The longest text a box of the sheet holds, and so the longest a memory file
// can have come from.
inline constexpr int MemoryEntryMaxChars = 32767;

// Whether the sheet needs the long file: any text in channels 10 to 99.
bool needsAllChannels(const MemoryRecords& records);

// The bytes of a memory file holding these records: ten or a hundred.
QByteArray formatMemoryFile(const MemoryRecords& records);

struct MemoryFileContents {
    MemoryRecords records;
    // Fields found, up to 200 (frequency and mode of a hundred channels);
    // whatever follows the last is ignored, missing ones are left empty.
    int fields = 0;
    // At least the ten channels of the shortest file Save writes.
    bool complete() const { return fields >= 2 * MemoryFileChannels; }
    // Channels of which at least the frequency was read.
    int channelsRead() const { return (fields + 1) / 2; }
};

MemoryFileContents parseMemoryFile(const QByteArray& bytes);

// Why these bytes cannot be a memory file, as the end of a sentence ("it holds
// control characters ..."), or an empty text when they can: text with control
// bytes other than tabs and line ends (a program, a picture, random data), or
// a field longer than any box of the sheet holds. A file written by Save
// always can.
QString memoryFileFault(const QByteArray& bytes, const MemoryFileContents& parsed);

// Why Save cannot write these texts so that they read back (a control
// character, which pasting can bring into a box), or an empty text.
QString memoryTextsFault(const MemoryRecords& records);

// Reading and writing files. problem is empty on success, else a sentence for
// the operator naming the file, what went wrong and what to do. A file that is
// not a plain file, is larger than a memory file can be, or cannot be a memory
// file is refused whole: nothing of it is read into the sheet.
struct MemoryFileRead {
    MemoryFileContents contents;
    QString problem;
};
MemoryFileRead readMemoryFile(const QString& path);

// Replaces the file only once the new contents are completely on disk, so a
// failed save leaves the old file as it was. Texts that a memory file cannot
// keep (control characters) are refused before anything is written.
QString writeMemoryFile(const QString& path, const MemoryRecords& records);
