#include "schedule/schedulefile.h"

#include "schedule/eibiformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScheduleFileRead readScheduleFile(const QString& path)
{
    ScheduleFileRead result;
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        result.problem = QStringLiteral("The schedule %1 does not exist.").arg(name);
        return result;
    }
    if (info.isDir()) {
        result.problem = QStringLiteral("%1 is a folder, not a schedule.").arg(name);
        return result;
    }
    if (!info.isFile()) {
        result.problem = QStringLiteral("%1 is not a plain file (it is a pipe or a device), so it "
                                        "cannot be a schedule.")
                             .arg(name);
        return result;
    }
    const auto tooLarge = [&](qint64 size) {
        return QStringLiteral("%1 is %2 bytes long, more than a schedule can be (at most %3 "
                              "bytes; a season's schedule is about 1 MB), so it was not read.")
            .arg(name, QString::number(size), QString::number(ScheduleFileMaxBytes));
    };
    if (info.size() > ScheduleFileMaxBytes) {
        result.problem = tooLarge(info.size());
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem =
            QStringLiteral("The schedule %1 cannot be opened (%2).").arg(name, file.errorString());
        return result;
    }
    // One byte more than the limit shows a file that grew since it was looked at.
    const QByteArray bytes = file.read(ScheduleFileMaxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problem =
            QStringLiteral("The schedule %1 cannot be read (%2).").arg(name, file.errorString());
        return result;
    }
    if (bytes.size() > ScheduleFileMaxBytes) {
        result.problem = tooLarge(file.size());
        return result;
    }
    ScheduleRead read = parseSchedule(bytes);
    if (!read.ok()) {
        result.problem = QStringLiteral("%1 is not an EiBi schedule: %2.").arg(name, read.problem);
        return result;
    }
    result.schedule = std::move(read.schedule);
    return result;
}
