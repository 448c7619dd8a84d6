#pragma once

// The settings file qd.cfg: two lines, the serial port number and the baud
// rate, each ending in CR LF. It is the program's only configuration. The
// texts are kept exactly as read, beside the numbers they name, read once
// here; a damaged file is reported without being altered.
//
// Data flow: the file's bytes -> parseSettings() (settingsformat.h) ->
// SettingsRead: the numbers every user of the settings takes (choice), and a
// problem that names the file, what is wrong with it (quoting at most a short
// excerpt) and how to start over.

#include "session/settingsformat.h"

#include <QString>

QString settingsFilePath();

struct SettingsRead {
    RadioSettings settings; // the texts, as on disk
    SerialChoice choice;    // what they name
    // Empty when the file could be read and both values are usable, else a
    // sentence for the operator naming the file, what is wrong and what to do.
    QString problem;
    // The same fault as the end of a sentence ("the settings file ... cannot
    // be used: it is empty. To choose ..."), for messages about the port.
    QString fault;
    bool ok() const { return problem.isEmpty(); }
};

// Reads the first two lines (CR LF, LF or CR line ends); later lines are ignored.
SettingsRead readSettingsFile(const QString& path = settingsFilePath());

// Writes the two lines atomically (no half-written file is ever left behind),
// creating the folder when missing. Returns an empty text on success, else why not.
QString writeSettingsFile(const RadioSettings& settings, const QString& path = settingsFilePath());

// The sentence that tells the operator how to start over.
QString reconfigureAdvice(const QString& path);
