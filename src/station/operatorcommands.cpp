#include "station/operatorcommands.h"

namespace {
// The command as the operator sees it in a message: control characters and
// others a message cannot show are spelled out ("PC0<U+0005>5;").
QString shown(const QString& command)
{
    QString text;
    for (QChar c : command) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            text += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            text += c;
    }
    return QStringLiteral("\"%1\"").arg(text);
}

bool isUpper(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// Empty when every character can go to the radio, else which cannot.
QString characterProblem(const QString& command)
{
    for (QChar c : command) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return QStringLiteral("%1 has a character the radio cannot take (%2): type letters, "
                                  "digits, blanks and punctuation only.")
                .arg(shown(command), c.unicode() < 0x20 || c.unicode() == 0x7f
                                         ? QStringLiteral("a control character")
                                         : QStringLiteral("\"%1\"").arg(c));
    }
    return {};
}

// Empty when the command (its ";" included) is good, else what is wrong.
QString problemOf(const QString& command)
{
    if (const QString problem = characterProblem(command); !problem.isEmpty())
        return problem;
    const QString name = command.left(2);
    if (name.size() < 2 || name[1] == QLatin1Char(';') || !name[0].isLetter() ||
        !name[1].isLetter())
        return QStringLiteral("%1 does not start with a command's two letters: a command is two "
                              "upper-case letters, its parameters and \";\" (for example "
                              "PC050;).")
            .arg(shown(command));
    if (!isUpper(name[0]) || !isUpper(name[1]))
        return QStringLiteral("%1 is in lower case: the radio takes its commands in upper case "
                              "(%2).")
            .arg(shown(command), command.left(2).toUpper() + command.mid(2));
    if (command.size() == 3 && !CatCommand::isBareAction(name.toLatin1()))
        return QStringLiteral("%1 asks the radio for a value. Quillard sends settings and never "
                              "asks the radio for values: give the command its setting (for "
                              "example PC050; rather than PC;).")
            .arg(shown(command));
    return {};
}
} // namespace

CheckedCommands checkOperatorCommands(const QString& typed)
{
    CheckedCommands checked;
    const QString text = typed.trimmed();
    qsizetype start = 0;
    while (start < text.size()) {
        while (start < text.size() && text[start] == QLatin1Char(' '))
            ++start; // blanks between commands
        if (start >= text.size())
            break;
        const qsizetype end = text.indexOf(QLatin1Char(';'), start);
        if (end < 0) {
            const QString rest = text.mid(start);
            // A control character is the worse fault: the message names it.
            const QString problem = characterProblem(rest);
            checked.problem =
                !problem.isEmpty()
                    ? problem
                    : QStringLiteral("%1 does not end with \";\": end each command with a "
                                     "semicolon (%2;).")
                          .arg(shown(rest), rest);
            checked.commands.clear();
            return checked;
        }
        const QString command = text.mid(start, end - start + 1);
        const QString problem = problemOf(command);
        const CatCommand built = CatCommand::operatorCommand(command.toLatin1());
        if (!problem.isEmpty() || !built.isValid()) {
            checked.problem =
                problem.isEmpty()
                    ? QStringLiteral("%1 is not a command the radio takes.").arg(shown(command))
                    : problem;
            checked.commands.clear();
            return checked;
        }
        checked.commands << built;
        start = end + 1;
    }
    return checked;
}
