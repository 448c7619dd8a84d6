#pragma once

// The table where the operator makes their own buttons: up to 24 rows of a
// label and the commands the button sends ("PC005;MD3;"), and the start and
// exit sequences below it. Save checks everything first
// (checkOperatorSetup): a fault is shown, the row it is in selected, and the
// dialog stays open with everything as typed. Import reads a buttons file
// into the table (saved only with Save); Export writes the table as it
// stands, once it checks. Empty rows are left out when saving.
//
// Data flow: loadOperatorSetup() -> the table -> [Save] checkOperatorSetup
// -> saveOperatorSetup() -> quillard.conf; [Import] importOperatorSetup ->
// the table; [Export] the table -> exportOperatorSetup.
//
// Tests answer the file dialog from a script (setFileChooser).

#include "station/operatorsetup.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QTableWidget;

class OperatorButtonsEditor : public QDialog {
    Q_OBJECT

public:
    explicit OperatorButtonsEditor(QWidget* parent);

    // The table and fields as they stand, empty rows left out.
    OperatorSetup setup() const;
    void fill(const OperatorSetup& setup);

    // Replaces the file dialog: given whether a file is to be written, it
    // returns the file's path, or an empty text for none. Empty: the real one.
    using FileChooser = std::function<QString(bool writing)>;
    static void setFileChooser(FileChooser chooser);

    void accept() override;

private:
    void importFile();
    void exportFile();
    // Rows gathered to the top; false (the fault shown) when the setup does not check.
    bool checked();

    QTableWidget* m_table;
    QLineEdit* m_start;
    QLineEdit* m_exit;
};
