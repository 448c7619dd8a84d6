#pragma once

// Reading and writing the files the memory window keeps sheets in (memory
// files, rigmem CSV files), with one set of rules and messages: a folder, a
// pipe or a device is refused before it is opened (a pipe would hold the
// opening), a file larger than such a file can be is refused unread, and a
// save replaces the old file only once the new contents are completely on
// disk. Every problem is one sentence for the operator naming the file, what
// went wrong and what to do.
//
// Qt Core only.

#include <QByteArray>
#include <QString>

struct SheetFileKind {
    QString noun;    // "memory file"
    QString choose;  // "Choose a .mem or .txt file."
    QString typical; // "one that Quillard saves is a few kilobytes"
    qint64 maxBytes = 0;
};

struct SheetFileBytes {
    QByteArray bytes;
    QString problem; // empty on success; ends with "The sheet was not changed."
};
SheetFileBytes readSheetFile(const QString& path, const SheetFileKind& kind);

// Empty on success.
QString writeSheetFile(const QString& path, const QByteArray& bytes, const SheetFileKind& kind);

// How a path is named in messages.
QString shownFileName(const QString& path);
