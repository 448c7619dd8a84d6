#pragma once

// What the two lines of qd.cfg say, apart from any file: bytes in, the port
// number and baud rate texts out, with whether they can drive a serial port.
// Needs Qt Core only, so the settings fuzz target can build it on its own.
//
// Data flow: readSettingsFile() (settings.h) reads the bytes and hands them
// to parseSettings(); every text quoted back to the operator from the file
// goes through printableExcerpt(), so a damaged file cannot fill a message.

#include <QByteArray>
#include <QString>

struct RadioSettings {
    QString Comm; // port number text, "1" to "4" as the settings window writes it
    QString Baud; // baud rate text, "300" to "38400"
};

struct ParsedSettings {
    RadioSettings settings;
    // Why the text is not usable, as the end of a sentence ("it is empty");
    // empty when both values are usable.
    QString why;
};

// Takes the first two lines (CR LF, LF or CR line ends); later lines are
// ignored. The texts are kept as they are, blanks included.
ParsedSettings parseSettings(const QByteArray& bytes);

// Why these values cannot drive a serial port, or an empty text when they can.
QString settingsProblem(const RadioSettings& settings);

// The port number, or 0 when the text is not one.
int portNumber(const QString& comm);

// Whether a serial port can be set to this many bits per second.
bool isSerialBaudRate(const QString& baud);

// At most maxChars characters of the text, each character that does not
// print shown as \xNN, and "..." when there was more.
inline constexpr int ExcerptChars = 24;
QString printableExcerpt(const QString& text, int maxChars = ExcerptChars);
