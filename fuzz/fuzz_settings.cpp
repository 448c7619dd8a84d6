// Feeds arbitrary bytes to the settings reader as the contents of qd.cfg.
// Besides the sanitizers' checks it asserts what every message about a
// damaged file relies on: the two texts hold no line end, what is called
// usable is a port number and a baud rate, the reason and the port's name in
// messages quote the file only by a short printable excerpt, and two usable
// lines read back as written, to the same numbers.

#include "session/settingsformat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool printable(const QString& text)
{
    for (QChar c : text)
        if (!c.isPrint())
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ParsedSettings parsed = parseSettings(bytes);
    const RadioSettings& settings = parsed.settings;
    for (const QString* text : {&settings.Comm, &settings.Baud})
        require(!text->contains(QLatin1Char('\r')) && !text->contains(QLatin1Char('\n')));

    // A reason fits a message box: its own words, two excerpts and their lengths.
    require(printable(parsed.why) && parsed.why.size() < 300);
    for (const QString* text : {&settings.Comm, &settings.Baud}) {
        const QString excerpt = printableExcerpt(*text);
        require(printable(excerpt) && excerpt.size() <= 4 * ExcerptChars + 3);
    }

    // A port that is no number is quoted by an excerpt, and only then.
    const SerialChoice& choice = parsed.choice;
    require((choice.port == 0) != choice.unreadablePort.isEmpty() || settings.Comm.isEmpty());
    require(printable(choice.unreadablePort) &&
            choice.unreadablePort.size() <= 4 * ExcerptChars + 3);

    if (!parsed.why.isEmpty())
        return 0;
    require(choice.port >= 1 && choice.port <= 255);
    require(choice.baud && *choice.baud > 0);
    const QByteArray written =
        settings.Comm.toLatin1() + "\r\n" + settings.Baud.toLatin1() + "\r\n";
    const ParsedSettings again = parseSettings(written);
    require(again.why.isEmpty() && again.settings.Comm == settings.Comm &&
            again.settings.Baud == settings.Baud && again.choice.port == choice.port &&
            again.choice.baud == choice.baud);
    return 0;
}
