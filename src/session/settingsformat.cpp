#include "session/settingsformat.h"

#include <QList>

#include <algorithm>
#include <array>

namespace {
// A text quoted from the file: "abc", or the start of a long one and its length.
QString quoted(const QString& text)
{
    const QString shown = QLatin1Char('"') + printableExcerpt(text) + QLatin1Char('"');
    if (text.size() <= ExcerptChars)
        return shown;
    return shown + QStringLiteral(" (%1 characters)").arg(text.size());
}
} // namespace

QString printableExcerpt(const QString& text, int maxChars)
{
    QString shown;
    for (qsizetype i = 0; i < text.size() && i < maxChars; ++i) {
        const QChar c = text[i];
        if (c.isPrint())
            shown += c;
        else
            shown += QStringLiteral("\\x") +
                     QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    if (text.size() > maxChars)
        shown += QStringLiteral("...");
    return shown;
}

namespace {
// The port number, or 0 when the text is not one.
int portNumber(const QString& comm)
{
    bool ok = false;
    const int number = comm.toInt(&ok);
    return ok && number >= 1 && number <= 255 ? number : 0;
}

// The rate, when a serial port can be set to this many bits per second.
std::optional<int> serialBaudRate(const QString& baud)
{
    static constexpr std::array<int, 22> rates = {
        50,   75,   110,   134,   150,   200,    300,    600,    1200,   1800,   2400,
        4800, 9600, 19200, 38400, 57600, 115200, 230400, 460800, 500000, 576000, 921600};
    bool ok = false;
    const int rate = baud.toInt(&ok);
    if (!ok || std::find(rates.begin(), rates.end(), rate) == rates.end())
        return std::nullopt;
    return rate;
}

SerialChoice choiceOf(const RadioSettings& settings)
{
    SerialChoice choice;
    choice.port = portNumber(settings.Comm);
    choice.baud = serialBaudRate(settings.Baud);
    if (choice.port == 0)
        choice.unreadablePort = printableExcerpt(settings.Comm);
    return choice;
}

// Why these values cannot drive a serial port, or an empty text when they can.
QString settingsProblem(const RadioSettings& settings, const SerialChoice& choice)
{
    if (choice.port == 0)
        return QStringLiteral("the port number %1 on its first line is not a number from 1 to 255")
            .arg(quoted(settings.Comm));
    if (!choice.baud)
        return QStringLiteral(
                   "the baud rate %1 on its second line is not a rate a serial port takes")
            .arg(quoted(settings.Baud));
    return {};
}
} // namespace

ParsedSettings parseSettings(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    QByteArray line;
    bool ended = true;
    for (qsizetype i = 0; i < bytes.size() && lines.size() < 2; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.append(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            ended = true;
        } else {
            line.append(c);
            ended = false;
        }
    }
    if (!ended && lines.size() < 2)
        lines.append(line);

    ParsedSettings result;
    if (lines.size() > 0)
        result.settings.Comm = QString::fromLatin1(lines[0]);
    if (lines.size() > 1)
        result.settings.Baud = QString::fromLatin1(lines[1]);
    result.choice = choiceOf(result.settings);
    if (lines.isEmpty())
        result.why = QStringLiteral("it is empty");
    else if (lines.size() < 2)
        result.why =
            QStringLiteral("it has only one line; it needs the port number and the baud rate");
    else
        result.why = settingsProblem(result.settings, result.choice);
    return result;
}
