#pragma once

// quillard.conf in the settings folder: the program's own choices beside
// qd.cfg (which keeps its two lines as it always has), in Qt's INI format,
// one group per concern ("Keyboard/safeNavigation"). This is the one place
// that names the file.
//
//   QSettings settings = programSettings();
//   settings.setValue(QStringLiteral("Keyboard/safeNavigation"), true);

#include <QSettings>
#include <QString>

QString programSettingsPath();

// The file, read when asked and written when changed (sync() writes at once).
// Keep it only while reading or writing: another part of the program may
// change the file meanwhile.
QSettings programSettings();
