#include "controls/tuneentry.h"

#include "controls/recentfrequencies.h"
#include "station/frequencyentry.h"
#include "station/modes.h"
#include "ui/announcer.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

TuneEntry::TuneEntry(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TuneEntry"));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);

    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("txtFrequency"));
    m_field->setAccessibleName(QStringLiteral("Frequency"));
    m_field->setAccessibleDescription(frequencyForms());
    m_field->setMaxLength(40);
    m_field->installEventFilter(this);
    auto* frequencyLabel = new QLabel(QStringLiteral("Frequency:"), this);
    frequencyLabel->setBuddy(m_field);
    form->addRow(frequencyLabel, m_field);

    auto* forms = new QLabel(frequencyForms(), this);
    forms->setObjectName(QStringLiteral("lblForms"));
    forms->setWordWrap(true);
    form->addRow(forms);

    m_vfo = new QComboBox(this);
    m_vfo->setObjectName(QStringLiteral("cboVfo"));
    m_vfo->setAccessibleName(QStringLiteral("VFO"));
    m_vfo->addItem(QStringLiteral("VFO A"), QVariant::fromValue(int(Vfo::A)));
    m_vfo->addItem(QStringLiteral("VFO B"), QVariant::fromValue(int(Vfo::B)));
    auto* vfoLabel = new QLabel(QStringLiteral("VFO:"), this);
    vfoLabel->setBuddy(m_vfo);
    form->addRow(vfoLabel, m_vfo);

    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("cboMode"));
    m_mode->setAccessibleName(QStringLiteral("Mode"));
    m_mode->addItem(QStringLiteral("As it is"), QVariant());
    for (const ModeChoice& choice : modeChoices)
        m_mode->addItem(QString::fromLatin1(choice.caption), int(choice.mode));
    auto* modeLabel = new QLabel(QStringLiteral("Mode:"), this);
    modeLabel->setBuddy(m_mode);
    form->addRow(modeLabel, m_mode);

    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_problem->hide();
    form->addRow(m_problem);
}

void TuneEntry::followPanel(const StationState& state)
{
    // Only a change of the panel's choice moves the box's, so a VFO the
    // operator picked here stays until the panel picks another.
    const Vfo addressed = state.addressedVfo();
    if (m_followed == addressed)
        return;
    m_followed = addressed;
    m_vfo->setCurrentIndex(m_vfo->findData(int(addressed)));
}

std::optional<StationStep> TuneEntry::read(const StationState& state)
{
    const QString typed = m_field->text().trimmed();
    const TypedFrequency frequency = readFrequency(typed, state.radioModel());
    if (!frequency.hertz) {
        showProblem(frequency.problem);
        return std::nullopt;
    }
    std::optional<Mode> mode;
    if (m_mode->currentData().isValid())
        mode = static_cast<Mode>(m_mode->currentData().toInt());
    StationStep step = Station::tuneFrequency(state, static_cast<Vfo>(m_vfo->currentData().toInt()),
                                              *frequency.hertz, mode);
    if (step.commands.isEmpty()) {
        showProblem(step.refusal);
        return std::nullopt;
    }
    showProblem({});
    // Kept once the step is carried out: writing quillard.conf takes
    // milliseconds the command should not wait for. (The application, not
    // this entry, runs it: the box that holds an entry is gone by then.)
    QTimer::singleShot(0, qApp, [typed] { RecentFrequencies::add(typed); });
    m_recalled = -1;
    return step;
}

void TuneEntry::showProblem(const QString& problem)
{
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    if (!problem.isEmpty())
        announce(window(), problem);
}

bool TuneEntry::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            recall(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TuneEntry::recall(int step)
{
    const QStringList recent = RecentFrequencies::read();
    if (recent.isEmpty())
        return;
    const int next = std::clamp(m_recalled + step, -1, int(recent.size()) - 1);
    if (next == m_recalled)
        return;
    m_recalled = next;
    m_field->setText(next < 0 ? QString() : recent[next]);
    m_field->selectAll();
}
