#pragma once

// The settings file qd.cfg: two lines, the serial port number and the baud
// rate, each ending in CR LF. It is the program's only configuration. The
// texts are kept exactly as read; whether they are usable is asked separately
// (settingsProblem), so a damaged file can be reported without being altered.

#include <QString>

struct RadioSettings {
    QString Comm; // port number text, "1" to "4" as the settings window writes it
    QString Baud; // baud rate text, "300" to "38400"
};

QString settingsFilePath();

struct SettingsRead {
    RadioSettings settings;
    QString problem; // empty when the file could be read and both values are usable
    bool ok() const { return problem.isEmpty(); }
};

// Reads the first two lines (CR LF, LF or CR line ends); later lines are ignored.
SettingsRead readSettingsFile(const QString& path = settingsFilePath());

// Writes the two lines atomically (no half-written file is ever left behind),
// creating the folder when missing. Returns an empty text on success, else why not.
QString writeSettingsFile(const RadioSettings& settings, const QString& path = settingsFilePath());

// Why these values cannot drive a serial port, or an empty text when they can.
QString settingsProblem(const RadioSettings& settings);

// The port number, or 0 when the text is not one.
int portNumber(const QString& comm);

// Whether a serial port can be set to this many bits per second.
bool isSerialBaudRate(const QString& baud);

// The sentence that tells the operator how to start over.
QString reconfigureAdvice(const QString& path);
