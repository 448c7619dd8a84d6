#pragma once

// The version the build was made with (project(VERSION) in CMakeLists.txt),
// as CTest hands it to every test, so no test holds a copy to forget.

#include <QString>
#include <QtGlobal>

// "1.0.2"
inline QString projectVersion()
{
    return qEnvironmentVariable("QUILLARD_VERSION");
}

// The main window's title, where the version is shown the old way, its last
// two parts run together: "Kenwood Quillard Version 1.02".
inline QString mainWindowTitle()
{
    QString shown = projectVersion();
    shown.remove(shown.lastIndexOf(QLatin1Char('.')), 1);
    return QStringLiteral("Kenwood Quillard Version ") + shown;
}
