#include "options.h"

#include <QCommandLineParser>

namespace vradio {

namespace {

// Quillard's settings offer COM1 to COM4; other numbers are allowed so that
// several virtual radios can run side by side.
constexpr int MaxPort = 255;
// Longer than any client waits for an answer; more is surely a mistake.
constexpr int MaxReplyDelayMs = 10'000;

} // namespace

ParsedOptions parseOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption port(QStringLiteral("port"), {}, QStringLiteral("N"));
    const QCommandLineOption link(QStringLiteral("link"), {}, QStringLiteral("PATH"));
    const QCommandLineOption noWindow({QStringLiteral("no-window"), QStringLiteral("headless")},
                                      {});
    const QCommandLineOption model(QStringLiteral("model"), {}, QStringLiteral("S|D"));
    const QCommandLineOption replyDelay(QStringLiteral("reply-delay"), {}, QStringLiteral("MS"));
    parser.addOptions({help, port, link, noWindow, model, replyDelay});

    ParsedOptions result;
    if (!parser.parse(arguments)) {
        result.action = ParsedOptions::Action::Error;
        result.error = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.action = ParsedOptions::Action::Help;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.action = ParsedOptions::Action::Error;
        result.error = QStringLiteral("unexpected argument: %1")
                           .arg(parser.positionalArguments().constFirst());
        return result;
    }
    if (parser.isSet(port)) {
        bool ok = false;
        const int number = parser.value(port).toInt(&ok);
        if (!ok || number < 1 || number > MaxPort) {
            result.action = ParsedOptions::Action::Error;
            result.error = QStringLiteral("--port wants a number from 1 to %1, not \"%2\"")
                               .arg(MaxPort)
                               .arg(parser.value(port));
            return result;
        }
        result.options.port = number;
    }
    if (parser.isSet(link)) {
        result.options.linkPath = parser.value(link);
        if (result.options.linkPath.isEmpty()) {
            result.action = ParsedOptions::Action::Error;
            result.error = QStringLiteral("--link wants a path");
            return result;
        }
    }
    if (parser.isSet(model)) {
        const QString letter = parser.value(model).toUpper();
        if (letter != u"S" && letter != u"D") {
            result.action = ParsedOptions::Action::Error;
            result.error = QStringLiteral("--model wants S (TS-570S) or D (TS-570D), not \"%1\"")
                               .arg(parser.value(model));
            return result;
        }
        result.options.model = letter == u"D" ? Model::D : Model::S;
    }
    if (parser.isSet(replyDelay)) {
        bool ok = false;
        const int ms = parser.value(replyDelay).toInt(&ok);
        if (!ok || ms < 0 || ms > MaxReplyDelayMs) {
            result.action = ParsedOptions::Action::Error;
            result.error =
                QStringLiteral("--reply-delay wants milliseconds from 0 to %1, not \"%2\"")
                    .arg(MaxReplyDelayMs)
                    .arg(parser.value(replyDelay));
            return result;
        }
        result.options.replyDelayMs = ms;
    }
    result.options.window = !parser.isSet(noWindow);
    return result;
}

QString helpText(const QString& programName)
{
    return QStringLiteral(
               "Usage: %1 [--port N] [--link PATH] [--no-window] [--model S|D]\n"
               "          [--reply-delay MS]\n"
               "\n"
               "A virtual Kenwood TS-570 on a pseudo-terminal, for running and testing\n"
               "Quillard without a radio.\n"
               "\n"
               "  --port N      make the radio appear as COM N (1 to 255, default 1):\n"
               "                the link is <config>/quillard/comN, where <config> is\n"
               "                $XDG_CONFIG_HOME or ~/.config\n"
               "  --link PATH   put the link at PATH instead\n"
               "  --no-window   no front panel; also --headless (needs no display)\n"
               "  --model S|D   answer as a TS-570S (ID018, to 60 MHz; the default) or a\n"
               "                TS-570D (ID017, to 30 MHz)\n"
               "  --reply-delay MS\n"
               "                hold every answer back MS milliseconds (0 to 10000), to\n"
               "                test a client against a slow radio\n"
               "  -h, --help    show this text\n"
               "\n"
               "The link is a symlink to the pseudo-terminal and is removed on exit\n"
               "(SIGINT, SIGTERM, SIGHUP or closing the window). A path that is taken\n"
               "by anything but a stale link of an earlier virtual radio is left alone\n"
               "and the program exits with status 2.\n"
               "\n"
               "Standard output, one line per event:\n"
               "  READY <slave> <link>\n"
               "  RX <utc> <ms> [?|- ]<command>    ? = answered \"?;\", - = radio off\n"
               "  ANS <utc> <ms> <reply>\n"
               "<utc> is ISO-8601 UTC with milliseconds, <ms> milliseconds since start.\n"
               "\n"
               "Exit status: 0 normal end, 1 usage or system error, 2 link path taken.\n")
        .arg(programName);
}

} // namespace vradio
