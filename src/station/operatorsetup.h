#pragma once

// The operator's own buttons (up to 24, each a label and the commands it
// sends) and the start and exit sequences, kept in quillard.conf, and their
// export and import file.
//
// quillard.conf, group [OperatorButtons]: start= and exit= (the sequences as
// typed, empty by default, so Quillard sends nothing at start unless asked),
// and the buttons as a Qt settings array "button" of label= and commands=.
//
// The export file is plain UTF-8 text, one "key=value" a line:
//
//   # Quillard operator buttons
//   start=PC005;
//   exit=PC100;
//   button=QRP
//   commands=PC005;MD3;
//
// The first line names the file's kind; blank lines and lines starting with
// "#" are skipped; "button=" starts a button and the "commands=" after it
// gives its commands. Every command is checked as the editor checks it, and a
// file with any fault is refused whole, with a message naming the file and
// the line, so what the operator had is kept.
//
// Data flow: quillard.conf -> loadOperatorSetup() -> the buttons section and
// the main window's start/exit -> the editor -> saveOperatorSetup();
// exportOperatorSetup() / importOperatorSetup() beside them.

#include <QList>
#include <QString>

inline constexpr int operatorButtonMax = 24;

struct OperatorButton {
    QString label;
    QString commands; // as typed: "PC005;MD3;"
    bool operator==(const OperatorButton& other) const = default;
};

struct OperatorSetup {
    QList<OperatorButton> buttons;
    QString startSequence;
    QString exitSequence;
    bool operator==(const OperatorSetup& other) const = default;
};

OperatorSetup loadOperatorSetup();
// The setup is saved as given; the editor checks it first (checkOperatorSetup).
void saveOperatorSetup(const OperatorSetup& setup);

// Empty when every button has a label and good commands, no more than 24, and
// both sequences are good; else the first fault, naming the button or sequence.
QString checkOperatorSetup(const OperatorSetup& setup);

// Empty when written, else why not (naming the file).
QString exportOperatorSetup(const OperatorSetup& setup, const QString& path);

struct ImportedSetup {
    OperatorSetup setup;
    QString problem; // naming the file and the line; empty when read whole
};
ImportedSetup importOperatorSetup(const QString& path);
