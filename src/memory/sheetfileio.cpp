#include "memory/sheetfileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString shownFileName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

SheetFileBytes readSheetFile(const QString& path, const SheetFileKind& kind)
{
    SheetFileBytes result;
    const QString name = shownFileName(path);
    const QString unchanged = QStringLiteral("The sheet was not changed.");
    const QFileInfo info(path);
    if (info.isDir()) {
        result.problem = QStringLiteral("%1 is a folder, not a %2. %3 %4")
                             .arg(name, kind.noun, kind.choose, unchanged);
        return result;
    }
    // A named pipe or a device would hold the opening or never end.
    if (info.exists() && !info.isFile()) {
        result.problem = QStringLiteral("%1 is not a plain file (it is a pipe or a device), so it "
                                        "cannot be a %2. %3 %4")
                             .arg(name, kind.noun, kind.choose, unchanged);
        return result;
    }
    auto tooLarge = [&](qint64 size) {
        return QStringLiteral("The %1 %2 is %3 bytes long, more than a %1 can be (at most %4 "
                              "bytes; %5), so it was not loaded. Choose the file you saved from "
                              "the memory window. %6")
            .arg(kind.noun, name, QString::number(size), QString::number(kind.maxBytes),
                 kind.typical, unchanged);
    };
    if (info.size() > kind.maxBytes) {
        result.problem = tooLarge(info.size());
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = QStringLiteral("The %1 %2 cannot be opened (%3). Check the name and that "
                                        "you may read the file. %4")
                             .arg(kind.noun, name, file.errorString(), unchanged);
        return result;
    }
    // One byte more than the limit shows a file that grew since it was looked at.
    QByteArray bytes = file.read(kind.maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problem = QStringLiteral("The %1 %2 cannot be read (%3). %4")
                             .arg(kind.noun, name, file.errorString(), unchanged);
        return result;
    }
    if (bytes.size() > kind.maxBytes) {
        result.problem = tooLarge(file.size());
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

QString writeSheetFile(const QString& path, const QByteArray& bytes, const SheetFileKind& kind)
{
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
    return QStringLiteral("The %1 %2 could not be saved (%3). Nothing was saved; a file already "
                          "there under that name is unchanged. Choose another folder or name, "
                          "or free some disk space, and save again.")
        .arg(kind.noun, shownFileName(path), reason);
}
