#include "session/programsettings.h"

#include "session/cues.h"

#include <QDir>

QString programSettingsPath()
{
    return QDir(GetWinPath()).filePath(QStringLiteral("quillard.conf"));
}

QSettings programSettings()
{
    return QSettings(programSettingsPath(), QSettings::IniFormat);
}
