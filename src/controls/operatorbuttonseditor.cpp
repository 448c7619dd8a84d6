#include "controls/operatorbuttonseditor.h"

#include "ui/messagebox.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
OperatorButtonsEditor::FileChooser& fileChooser()
{
    static OperatorButtonsEditor::FileChooser chooser;
    return chooser;
}

QString chooseFile(QWidget* parent, bool writing)
{
    if (fileChooser())
        return fileChooser()(writing);
    const QString filter = QStringLiteral("Quillard buttons (*.txt);;All files (*)");
    return writing ? QFileDialog::getSaveFileName(parent, QStringLiteral("Export buttons"),
                                                  QStringLiteral("quillard-buttons.txt"), filter)
                   : QFileDialog::getOpenFileName(parent, QStringLiteral("Import buttons"),
                                                  QString(), filter);
}

QString cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}
} // namespace

OperatorButtonsEditor::OperatorButtonsEditor(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("OperatorButtonsEditor"));
    setWindowTitle(QStringLiteral("Your buttons"));
    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(
        QStringLiteral("Up to %1 buttons, each a label and the commands it sends, as the radio "
                       "takes them: PC005;MD3; is two commands. Quillard only sends settings; "
                       "it never asks the radio for a value.")
            .arg(operatorButtonMax),
        this);
    about->setWordWrap(true);
    layout->addWidget(about);

    m_table = new QTableWidget(operatorButtonMax, 2, this);
    m_table->setObjectName(QStringLiteral("tblButtons"));
    m_table->setAccessibleName(QStringLiteral("Buttons: label and commands"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Label"), QStringLiteral("Commands")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    layout->addWidget(m_table);

    auto* form = new QFormLayout;
    m_start = new QLineEdit(this);
    m_start->setObjectName(QStringLiteral("txtStartSequence"));
    m_start->setAccessibleName(QStringLiteral("Start sequence"));
    m_exit = new QLineEdit(this);
    m_exit->setObjectName(QStringLiteral("txtExitSequence"));
    m_exit->setAccessibleName(QStringLiteral("Exit sequence"));
    form->addRow(QStringLiteral("&Start sequence (sent once when the port first opens):"), m_start);
    form->addRow(QStringLiteral("E&xit sequence (sent once before the port is let go):"), m_exit);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setObjectName(QStringLiteral("cmdSave"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    auto* importButton =
        buttons->addButton(QStringLiteral("&Import..."), QDialogButtonBox::ActionRole);
    importButton->setObjectName(QStringLiteral("cmdImport"));
    auto* exportButton =
        buttons->addButton(QStringLiteral("Ex&port..."), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &OperatorButtonsEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OperatorButtonsEditor::reject);
    connect(importButton, &QPushButton::clicked, this, &OperatorButtonsEditor::importFile);
    connect(exportButton, &QPushButton::clicked, this, &OperatorButtonsEditor::exportFile);
    resize(640, 560);
}

void OperatorButtonsEditor::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

OperatorSetup OperatorButtonsEditor::setup() const
{
    OperatorSetup setup;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QString label = cell(m_table, row, 0);
        const QString commands = cell(m_table, row, 1);
        if (!label.trimmed().isEmpty() || !commands.trimmed().isEmpty())
            setup.buttons << OperatorButton{label.trimmed(), commands.trimmed()};
    }
    setup.startSequence = m_start->text().trimmed();
    setup.exitSequence = m_exit->text().trimmed();
    return setup;
}

void OperatorButtonsEditor::fill(const OperatorSetup& setup)
{
    m_table->clearContents();
    for (int row = 0; row < setup.buttons.size() && row < m_table->rowCount(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(setup.buttons[row].label));
        m_table->setItem(row, 1, new QTableWidgetItem(setup.buttons[row].commands));
    }
    m_start->setText(setup.startSequence);
    m_exit->setText(setup.exitSequence);
}

bool OperatorButtonsEditor::checked()
{
    const OperatorSetup gathered = setup();
    fill(gathered); // the rows gathered to the top, so "Button 3" is the third row
    const QString problem = checkOperatorSetup(gathered);
    if (problem.isEmpty())
        return true;
    static const QRegularExpression buttonNumber(QStringLiteral("^Button (\\d+)"));
    if (const QRegularExpressionMatch match = buttonNumber.match(problem); match.hasMatch())
        m_table->setCurrentCell(match.captured(1).toInt() - 1, 1);
    MessageBox::warn(this, problem);
    return false;
}

void OperatorButtonsEditor::accept()
{
    if (!checked())
        return;
    saveOperatorSetup(setup());
    QDialog::accept();
}

void OperatorButtonsEditor::importFile()
{
    const QString path = chooseFile(this, false);
    if (path.isEmpty())
        return;
    const ImportedSetup imported = importOperatorSetup(path);
    if (!imported.problem.isEmpty()) {
        MessageBox::warn(this, imported.problem);
        return;
    }
    fill(imported.setup);
}

void OperatorButtonsEditor::exportFile()
{
    if (!checked())
        return;
    const QString path = chooseFile(this, true);
    if (path.isEmpty())
        return;
    if (const QString problem = exportOperatorSetup(setup(), path); !problem.isEmpty())
        MessageBox::warn(this, problem);
}
