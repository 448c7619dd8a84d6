#pragma once

// The operator's own commands, as typed into a button of their own or the
// start and exit sequences: "PC005;MD3;" is two commands. Each is checked
// before it is saved and again before it is sent: printable ASCII, two
// upper-case letters, its parameters and one ";". A bare query ("FA;",
// "IF;") is refused, since Quillard sends settings and never asks the radio
// for values; so is a command without its ";", in lower case, or with a
// control character, each with a message that names the command and what is
// wrong with it.
//
// Data flow: the typed text -> checkOperatorCommands() -> the commands
// (CatCommand::operatorCommand) or the message -> the editor refuses to save,
// or Station::sendOperatorCommands() sends them.

#include "radio/catcommand.h"

#include <QList>
#include <QString>

struct CheckedCommands {
    QList<CatCommand> commands; // in the order typed; empty for an empty text
    QString problem;            // why the text was refused; empty when it is good
    bool ok() const { return problem.isEmpty(); }
};

// Blanks between commands and around the text are left out; blanks inside a
// command ("MC 05;") are its own.
CheckedCommands checkOperatorCommands(const QString& typed);
