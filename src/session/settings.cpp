#include "session/settings.h"

#include "session/cues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString settingsFilePath()
{
    return GetWinPath() + QStringLiteral("/qd.cfg");
}

QString reconfigureAdvice(const QString& path)
{
    return QStringLiteral("To choose the port and baud rate again, delete %1 and start Quillard.")
        .arg(QDir::toNativeSeparators(path));
}

SettingsRead readSettingsFile(const QString& path)
{
    SettingsRead result;
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [&result, &path](const QString& fault) {
        result.fault = fault + QStringLiteral(". ") + reconfigureAdvice(path);
        result.problem = fault.at(0).toUpper() + result.fault.mid(1);
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("the settings file %1 cannot be read (%2)")
                 .arg(shown, file.errorString()));
        return result;
    }
    // Two short lines are all there is; a huge file is not a settings file.
    const ParsedSettings parsed = parseSettings(file.read(4096));
    result.settings = parsed.settings;
    result.choice = parsed.choice;
    if (!parsed.why.isEmpty())
        fail(QStringLiteral("the settings file %1 cannot be used: %2").arg(shown, parsed.why));
    return result;
}

QString writeSettingsFile(const RadioSettings& settings, const QString& path)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        return QStringLiteral("The folder %1 cannot be created.")
            .arg(QDir::toNativeSeparators(dir));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("The settings file %1 cannot be written (%2).")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    const QByteArray bytes = settings.Comm.toLatin1() + "\r\n" + settings.Baud.toLatin1() + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("The settings file %1 cannot be written (%2).")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}
