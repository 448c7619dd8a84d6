#include "controls/keyboardshortcuts.h"

#include "ui/placement.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

KeyboardShortcuts::KeyboardShortcuts(const QList<ShortcutPlace>& places, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("KeyboardShortcuts"));
    setWindowTitle(QStringLiteral("Keyboard Shortcuts"));
    auto* layout = new QVBoxLayout(this);

    auto* table = new QTableWidget(this);
    table->setObjectName(QStringLiteral("tblShortcuts"));
    table->setAccessibleName(QStringLiteral("Keyboard shortcuts"));
    table->setColumnCount(3);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Keys"), QStringLiteral("Control"), QStringLiteral("Where")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the Close button; the arrows move in it.
    table->setTabKeyNavigation(false);
    for (const ShortcutPlace& place : places) {
        for (const KeyBinding& binding : place.bindings) {
            const int row = table->rowCount();
            table->insertRow(row);
            table->setItem(row, 0, new QTableWidgetItem(keysText(binding)));
            table->setItem(row, 1, new QTableWidgetItem(binding.what));
            table->setItem(row, 2, new QTableWidgetItem(place.where));
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    if (table->rowCount() > 0)
        table->setCurrentCell(0, 0);
    layout->addWidget(table);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    table->setFocus(Qt::OtherFocusReason);
    resize(560, 480);
    centreOnScreen(this);
}
