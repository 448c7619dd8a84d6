// The operator's own buttons: up to 24, each a label and the commands it
// sends as typed (station/operatorsetup.h), made in the table of "Edit
// buttons" (controls/operatorbuttonseditor.h) and kept in quillard.conf.
// A button's commands are checked again before they go (the file may have
// been edited by hand): a faulty one sends nothing and says why.

#include "controls/operatorbuttonseditor.h"
#include "controls/section.h"
#include "controls/stationcontext.h"
#include "station/operatorcommands.h"
#include "ui/announcer.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {
constexpr int buttonsPerRow = 6;

QString buttonName(int index)
{
    return QStringLiteral("cmdOperator%1").arg(index + 1);
}

void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    auto setup = std::make_shared<OperatorSetup>(loadOperatorSetup());
    auto* none =
        new QLabel(QStringLiteral("No buttons of your own yet: Edit buttons makes them."), box);
    none->setObjectName(QStringLiteral("lblNoOperatorButtons"));
    grid->addWidget(none, 0, 0, 1, buttonsPerRow);
    QList<QPushButton*> buttons;
    for (int i = 0; i < operatorButtonMax; ++i) {
        auto* button = new QPushButton(box);
        button->setObjectName(buttonName(i));
        grid->addWidget(button, 1 + i / buttonsPerRow, i % buttonsPerRow);
        buttons << button;
    }
    auto* problem = new QLabel(box);
    problem->setObjectName(QStringLiteral("lblOperatorProblem"));
    problem->setWordWrap(true);
    problem->hide();
    auto* edit = new QPushButton(QStringLiteral("Edit buttons..."), box);
    edit->setObjectName(QStringLiteral("cmdEditButtons"));
    edit->setAccessibleName(QStringLiteral("Edit your buttons"));
    const int below = 1 + operatorButtonMax / buttonsPerRow;
    grid->addWidget(problem, below, 0, 1, buttonsPerRow);
    grid->addWidget(edit, below + 1, 0, 1, 2);

    const auto show = [=] {
        for (int i = 0; i < operatorButtonMax; ++i) {
            const bool made = i < setup->buttons.size();
            buttons[i]->setVisible(made);
            if (!made)
                continue;
            const OperatorButton& made_ = setup->buttons[i];
            buttons[i]->setText(made_.label);
            buttons[i]->setAccessibleName(made_.label);
            buttons[i]->setAccessibleDescription(QStringLiteral("Sends ") + made_.commands);
            buttons[i]->setToolTip(made_.commands);
        }
        none->setVisible(setup->buttons.isEmpty());
    };
    show();

    for (int i = 0; i < operatorButtonMax; ++i) {
        QObject::connect(buttons[i], &QPushButton::clicked, box, [=, &context] {
            if (i >= setup->buttons.size())
                return;
            const OperatorButton& button = setup->buttons[i];
            const CheckedCommands checked = checkOperatorCommands(button.commands);
            const StationStep step =
                checked.ok()
                    ? Station::sendOperatorCommands(context.station(), button.label,
                                                    checked.commands)
                    : StationStep{
                          context.station(),
                          {},
                          {},
                          QStringLiteral("%1 was not sent: %2").arg(button.label, checked.problem)};
            problem->setText(step.refusal);
            problem->setVisible(!step.refusal.isEmpty());
            context.carryOut(step, box->window());
        });
    }
    QObject::connect(edit, &QPushButton::clicked, box, [=] {
        OperatorButtonsEditor editor(box->window());
        editor.fill(*setup);
        if (editor.exec() != QDialog::Accepted)
            return;
        *setup = loadOperatorSetup();
        show();
        announce(box->window(),
                 QStringLiteral("Your buttons saved: %1").arg(setup->buttons.size()));
    });
}

QList<KeyBinding> keys()
{
    QList<KeyBinding> bindings;
    for (int i = 0; i < operatorButtonMax; ++i)
        bindings << KeyBinding{
            buttonName(i), QStringLiteral("Your button %1").arg(i + 1),
            QStringLiteral("Ctrl+Shift+U, %1, %2").arg((i + 1) / 10).arg((i + 1) % 10)};
    bindings << KeyBinding{QStringLiteral("cmdEditButtons"), QStringLiteral("Edit your buttons"),
                           QStringLiteral("Ctrl+Shift+U, E")};
    return bindings;
}
} // namespace

extern const Section operatorButtonSection{"OperatorButtonsSection", "Your buttons", build, keys};
