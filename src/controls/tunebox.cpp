#include "controls/tunebox.h"

#include "controls/tuneentry.h"
#include "ui/placement.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TuneBox::TuneBox(const StationState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("TuneBox"));
    setWindowTitle(QStringLiteral("Tune to Frequency"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    m_entry = new TuneEntry(this);
    m_entry->followPanel(state);
    layout->addWidget(m_entry);

    auto* buttons = new QHBoxLayout;
    auto* tune = new QPushButton(QStringLiteral("Tune"), this);
    tune->setObjectName(QStringLiteral("cmdTune"));
    tune->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addStretch();
    buttons->addWidget(tune);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(tune, &QPushButton::clicked, this, &TuneBox::cmdTune_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_entry->field()->setFocus(Qt::OtherFocusReason);
    adjustSize();
    setMinimumWidth(360);
    centreOnScreen(this);
}

void TuneBox::cmdTune_Click()
{
    m_step = m_entry->read(m_state);
    if (m_step)
        accept();
}
