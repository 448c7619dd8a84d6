#pragma once

// Memory files: channels 00 to 09 of the memory sheet as ten lines of two
// double-quoted texts, frequency and mode, separated by a comma and ended by
// CR LF, for example "2840000","usb". A record's channel is its position.
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

inline constexpr int MemoryFileChannels = 10;
using MemoryRecords = std::array<MemoryRecord, MemoryFileChannels>;

// The bytes of a memory file holding these records.
QByteArray formatMemoryFile(const MemoryRecords& records);

struct MemoryFileContents {
    MemoryRecords records;
    // Fields found, up to 20 (frequency and mode of ten channels); whatever
    // follows the twentieth is ignored, missing ones are left empty.
    int fields = 0;
    bool complete() const { return fields == 2 * MemoryFileChannels; }
    // Channels of which at least the frequency was read.
    int channelsRead() const { return (fields + 1) / 2; }
};

MemoryFileContents parseMemoryFile(const QByteArray& bytes);

// Reading and writing files. problem is empty on success, else a sentence for
// the operator naming the file, what went wrong and what to do.
struct MemoryFileRead {
    MemoryFileContents contents;
    QString problem;
};
MemoryFileRead readMemoryFile(const QString& path);

// Replaces the file only once the new contents are completely on disk, so a
// failed save leaves the old file as it was.
QString writeMemoryFile(const QString& path, const MemoryRecords& records);
