#include "station/operatorsetup.h"

#include "session/programsettings.h"
#include "station/operatorcommands.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringConverter>
#include <QTextStream>

namespace {
const QString group = QStringLiteral("OperatorButtons");
const QString fileHeading = QStringLiteral("# Quillard operator buttons");

// A label goes on one line of its own in the file; the editor's cell is one line too.
bool isOneLine(const QString& text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}

QString sequenceProblem(const QString& which, const QString& typed)
{
    const CheckedCommands checked = checkOperatorCommands(typed);
    return checked.ok() ? QString()
                        : QStringLiteral("The %1 sequence: %2").arg(which, checked.problem);
}
} // namespace

OperatorSetup loadOperatorSetup()
{
    QSettings settings = programSettings();
    settings.beginGroup(group);
    OperatorSetup setup;
    setup.startSequence = settings.value(QStringLiteral("start")).toString();
    setup.exitSequence = settings.value(QStringLiteral("exit")).toString();
    const int count = settings.beginReadArray(QStringLiteral("button"));
    // Buttons beyond the most the window shows are kept in the file, unseen,
    // rather than dropped: a hand-edited file loses nothing.
    for (int i = 0; i < std::min(count, operatorButtonMax); ++i) {
        settings.setArrayIndex(i);
        setup.buttons << OperatorButton{settings.value(QStringLiteral("label")).toString(),
                                        settings.value(QStringLiteral("commands")).toString()};
    }
    settings.endArray();
    return setup;
}

void saveOperatorSetup(const OperatorSetup& setup)
{
    QSettings settings = programSettings();
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("start"), setup.startSequence);
    settings.setValue(QStringLiteral("exit"), setup.exitSequence);
    settings.remove(QStringLiteral("button"));
    settings.beginWriteArray(QStringLiteral("button"), static_cast<int>(setup.buttons.size()));
    for (int i = 0; i < setup.buttons.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("label"), setup.buttons[i].label);
        settings.setValue(QStringLiteral("commands"), setup.buttons[i].commands);
    }
    settings.endArray();
    settings.endGroup();
    settings.sync();
}

QString checkOperatorSetup(const OperatorSetup& setup)
{
    if (setup.buttons.size() > operatorButtonMax)
        return QStringLiteral("There are %1 buttons; Quillard keeps at most %2.")
            .arg(setup.buttons.size())
            .arg(operatorButtonMax);
    for (int i = 0; i < setup.buttons.size(); ++i) {
        const OperatorButton& button = setup.buttons[i];
        const QString label = button.label.trimmed();
        if (label.isEmpty())
            return QStringLiteral("Button %1 has no label: give it one.").arg(i + 1);
        if (!isOneLine(button.label))
            return QStringLiteral("Button %1's label is more than one line.").arg(i + 1);
        const CheckedCommands checked = checkOperatorCommands(button.commands);
        if (!checked.ok())
            return QStringLiteral("Button %1 (%2): %3").arg(i + 1).arg(label, checked.problem);
        if (checked.commands.isEmpty())
            return QStringLiteral("Button %1 (%2) has no commands: type at least one, for "
                                  "example PC050;.")
                .arg(i + 1)
                .arg(label);
    }
    if (const QString problem = sequenceProblem(QStringLiteral("start"), setup.startSequence);
        !problem.isEmpty())
        return problem;
    return sequenceProblem(QStringLiteral("exit"), setup.exitSequence);
}

QString exportOperatorSetup(const OperatorSetup& setup, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return QStringLiteral("Could not write %1: %2. Choose another folder.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out << fileHeading << '\n';
    out << "start=" << setup.startSequence << '\n';
    out << "exit=" << setup.exitSequence << '\n';
    for (const OperatorButton& button : setup.buttons)
        out << "button=" << button.label << '\n' << "commands=" << button.commands << '\n';
    out.flush();
    if (!file.commit())
        return QStringLiteral("Could not write %1: %2. Choose another folder.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return {};
}

ImportedSetup importOperatorSetup(const QString& path)
{
    ImportedSetup imported;
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        imported.problem = QStringLiteral("Could not read %1: %2.").arg(name, file.errorString());
        return imported;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    const auto fault = [&imported, &name](int line, const QString& what) {
        imported.problem =
            QStringLiteral("%1, line %2: %3 Nothing was imported.").arg(name).arg(line).arg(what);
        imported.setup = {};
        return imported;
    };
    int line = 0;
    bool headed = false;
    bool awaitingCommands = false;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++line;
        if (!headed) {
            if (text.trimmed() != fileHeading)
                return fault(line, QStringLiteral("this is not a file of Quillard's operator "
                                                  "buttons (its first line is not \"%1\").")
                                       .arg(fileHeading));
            headed = true;
            continue;
        }
        if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals < 0)
            return fault(line, QStringLiteral("\"%1\" is not a key=value line.").arg(text));
        const QString key = text.left(equals).trimmed();
        const QString value = text.mid(equals + 1);
        const CheckedCommands checked =
            key == QLatin1String("button") ? CheckedCommands{} : checkOperatorCommands(value);
        if (key == QLatin1String("start") || key == QLatin1String("exit")) {
            if (!checked.ok())
                return fault(line, checked.problem);
            (key == QLatin1String("start") ? imported.setup.startSequence
                                           : imported.setup.exitSequence) = value.trimmed();
        } else if (key == QLatin1String("button")) {
            if (awaitingCommands)
                return fault(line, QStringLiteral("the button before this one has no "
                                                  "\"commands=\" line."));
            if (value.trimmed().isEmpty())
                return fault(line, QStringLiteral("a button has no label."));
            if (imported.setup.buttons.size() == operatorButtonMax)
                return fault(line, QStringLiteral("more than %1 buttons.").arg(operatorButtonMax));
            imported.setup.buttons << OperatorButton{value.trimmed(), {}};
            awaitingCommands = true;
        } else if (key == QLatin1String("commands")) {
            if (!awaitingCommands)
                return fault(line, QStringLiteral("\"commands=\" without a \"button=\" line "
                                                  "before it."));
            if (!checked.ok())
                return fault(line, checked.problem);
            if (checked.commands.isEmpty())
                return fault(line, QStringLiteral("the button has no commands."));
            imported.setup.buttons.last().commands = value.trimmed();
            awaitingCommands = false;
        } else {
            return fault(line, QStringLiteral("\"%1\" is not one of start, exit, button and "
                                              "commands.")
                                   .arg(key));
        }
    }
    if (!headed)
        return fault(1, QStringLiteral("the file is empty."));
    if (awaitingCommands)
        return fault(line, QStringLiteral("the last button has no \"commands=\" line."));
    return imported;
}
