#pragma once

// What the two lines of qd.cfg say, apart from any file: bytes in, the port
// number and baud rate out, as the texts on disk and as the numbers they name,
// with whether they can drive a serial port. The lines are read as numbers
// here, once; everything else uses the numbers. Needs Qt Core only, so the
// settings fuzz target can build it on its own.
//
// Data flow: readSettingsFile() (settings.h) reads the bytes and hands them
// to parseSettings(); every text quoted back to the operator from the file
// goes through printableExcerpt(), so a damaged file cannot fill a message.

#include <QByteArray>
#include <QString>

#include <optional>

// The two lines as texts, exactly as they stand on disk (and as the settings
// window writes them).
struct RadioSettings {
    QString Comm; // port number text, "1" to "4" as the settings window writes it
    QString Baud; // baud rate text, "300" to "38400"
};

// What the two lines name.
struct SerialChoice {
    int port = 0;            // 1 to 255; 0 when the first line is not such a number
    std::optional<int> baud; // a rate a serial port takes; none when the second line is not one
    // The first line as messages quote it when it is not a port number: a
    // short printable excerpt.
    QString unreadablePort;
};

struct ParsedSettings {
    RadioSettings settings;
    SerialChoice choice;
    // Why the text is not usable, as the end of a sentence ("it is empty");
    // empty when both values are usable.
    QString why;
};

// Takes the first two lines (CR LF, LF or CR line ends); later lines are
// ignored. The texts are kept as they are, blanks included.
ParsedSettings parseSettings(const QByteArray& bytes);

// At most maxChars characters of the text, each character that does not
// print shown as \xNN, and "..." when there was more.
inline constexpr int ExcerptChars = 24;
QString printableExcerpt(const QString& text, int maxChars = ExcerptChars);
