#pragma once

// Exchange with Hamlib's rigmem: the CSV file "rigmem save" writes for a
// TS-570 and "rigmem load" reads back into the radio. A key line names the
// columns, then each filled channel of the radio has a line; every line ends
// with a comma and a line feed, and nothing is quoted:
//
//   num,freq,mode,tx_freq,tx_mode,split,ctcss_tone,
//   45,7030000,CW,0,,off,0,
//
// num is the channel (0 to 99, no leading zero), freq the frequency in hertz,
// mode Hamlib's name for it (LSB, USB, CW, FM, AM; the sheet's fsk is RTTY).
//
// Data flow: Import reads the columns by their names in the key line, turns
// each line into a channel of the sheet (seven digits in tens of hertz, the
// upper-case mode word) and names, by line, everything the sheet cannot hold:
// a frequency that is not whole tens of hertz, a mode with no word in the
// sheet, a split transmit frequency, a tone. Export writes the lines rigmem
// itself writes for channels without split or tone, and names the channels
// it cannot express. Qt Core only, so it is tested without windows.

#include "memory/memoryfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct RigmemChannel {
    int channel = 0;
    MemoryRecord texts;
};

struct RigmemImport {
    QList<RigmemChannel> channels; // in the file's order, each channel once
    QList<int> mentioned;          // every channel a line names, kept or not
    QStringList problems;          // "Line 4 (channel 12): ..."
    QString fault;                 // why the file cannot be a rigmem file at all, or empty
};
RigmemImport parseRigmemCsv(const QByteArray& bytes);

struct RigmemExport {
    QByteArray bytes;
    int channels = 0;
    QStringList problems; // "Channel 12: ..."
};
RigmemExport formatRigmemCsv(const MemoryRecords& records);

// Whole files: problem (empty on success) is a sentence for the operator.
struct RigmemFileRead {
    RigmemImport contents;
    QString problem;
};
RigmemFileRead readRigmemFile(const QString& path);
QString writeRigmemFile(const QString& path, const QByteArray& bytes);
