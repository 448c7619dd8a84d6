#pragma once

// The version the build was made with (project(VERSION) in CMakeLists.txt),
// as CTest hands it to every test, so no test holds a copy to forget.

#include <QString>
#include <QtGlobal>

// "major.minor.patch", as CMake writes it
inline QString projectVersion()
{
    return qEnvironmentVariable("QUILLARD_VERSION");
}

// The main window's title, where the version is shown the old way, its last
// two parts run together: 2.3.4 shows as "Kenwood Quillard Version 2.34".
inline QString mainWindowTitle()
{
    QString shown = projectVersion();
    if (const qsizetype lastDot = shown.lastIndexOf(QLatin1Char('.')); lastDot >= 0)
        shown.remove(lastDot, 1);
    return QStringLiteral("Kenwood Quillard Version ") + shown;
}
