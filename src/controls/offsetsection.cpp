// RIT and XIT: each on or off, and the offset they share moved a step of
// 10 Hz at a time, cleared, or set to a typed number of hertz (a clear, then
// a step per 10 Hz). The radio takes offset commands only while RIT or XIT
// is on, so the engine turns RIT on first when neither is on as sent. The
// offset is shown as sent: it is known from the first clear on.

#include "controls/section.h"
#include "controls/stationcontext.h"
#include "radio/commandwords.h"
#include "station/frequencyentry.h"
#include "ui/announcer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QString offsetAsSent(const StationState& state)
{
    return QStringLiteral("Offset as sent: ") +
           (state.offset.hertz ? offsetWords(*state.offset.hertz)
                               : QStringLiteral("not known until it is cleared or set"));
}

QPushButton* button(QGroupBox* box, const char* name, const QString& caption,
                    const QString& accessibleName)
{
    auto* made = new QPushButton(caption, box);
    made->setObjectName(QString::fromLatin1(name));
    made->setAccessibleName(accessibleName);
    return made;
}

void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    auto* rit = new QCheckBox(QStringLiteral("RIT"), box);
    rit->setObjectName(QStringLiteral("chkRit"));
    rit->setAccessibleName(QStringLiteral("RIT"));
    auto* xit = new QCheckBox(QStringLiteral("XIT"), box);
    xit->setObjectName(QStringLiteral("chkXit"));
    xit->setAccessibleName(QStringLiteral("XIT"));
    // As wide as their captions, so a click anywhere on one toggles it.
    grid->addWidget(rit, 0, 0, Qt::AlignLeft);
    grid->addWidget(xit, 0, 1, Qt::AlignLeft);

    QPushButton* down =
        button(box, "cmdOffsetDown", QStringLiteral("-10 Hz"), QStringLiteral("Offset down 10 Hz"));
    QPushButton* up =
        button(box, "cmdOffsetUp", QStringLiteral("+10 Hz"), QStringLiteral("Offset up 10 Hz"));
    QPushButton* clear =
        button(box, "cmdOffsetClear", QStringLiteral("Clear"), QStringLiteral("Clear the offset"));
    grid->addWidget(down, 1, 0);
    grid->addWidget(up, 1, 1);
    grid->addWidget(clear, 1, 2);

    auto* typed = new QLineEdit(box);
    typed->setObjectName(QStringLiteral("txtOffset"));
    typed->setAccessibleName(QStringLiteral("Offset in hertz"));
    typed->setAccessibleDescription(QStringLiteral("-9990 to 9990, in steps of 10"));
    typed->setMaxLength(12);
    auto* typedLabel = new QLabel(QStringLiteral("Offset (Hz):"), box);
    typedLabel->setBuddy(typed);
    QPushButton* set =
        button(box, "cmdOffset", QStringLiteral("Set offset"), QStringLiteral("Set the offset"));
    grid->addWidget(typedLabel, 2, 0);
    grid->addWidget(typed, 2, 1);
    grid->addWidget(set, 2, 2);

    auto* sent = new QLabel(box);
    sent->setObjectName(QStringLiteral("lblOffsetSent"));
    grid->addWidget(sent, 3, 0, 1, 3);
    auto* problem = new QLabel(box);
    problem->setObjectName(QStringLiteral("lblOffsetProblem"));
    problem->setWordWrap(true);
    problem->hide();
    grid->addWidget(problem, 4, 0, 1, 3);

    const auto show = [=, &context] {
        const StationState& state = context.station();
        rit->setChecked(state.offset.rit.value_or(false));
        xit->setChecked(state.offset.xit.value_or(false));
        sent->setText(offsetAsSent(state));
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);

    const auto carryOut = [=, &context](const StationStep& step) {
        problem->setText(step.refusal);
        problem->setVisible(!step.refusal.isEmpty());
        context.carryOut(step, box->window());
        show();
    };
    QObject::connect(rit, &QCheckBox::clicked, box, [=, &context] {
        carryOut(
            Station::switchRit(context.station(), !context.station().offset.rit.value_or(false)));
    });
    QObject::connect(xit, &QCheckBox::clicked, box, [=, &context] {
        carryOut(
            Station::switchXit(context.station(), !context.station().offset.xit.value_or(false)));
    });
    QObject::connect(up, &QPushButton::clicked, box, [=, &context] {
        carryOut(Station::stepOffset(context.station(), OffsetStep::Up));
    });
    QObject::connect(down, &QPushButton::clicked, box, [=, &context] {
        carryOut(Station::stepOffset(context.station(), OffsetStep::Down));
    });
    QObject::connect(clear, &QPushButton::clicked, box,
                     [=, &context] { carryOut(Station::clearOffset(context.station())); });
    const auto setTyped = [=, &context] {
        const TypedOffset offset = readOffset(typed->text());
        if (!offset.hertz) {
            problem->setText(offset.problem);
            problem->show();
            announce(box->window(), offset.problem);
            return;
        }
        carryOut(Station::setOffset(context.station(), *offset.hertz));
    };
    QObject::connect(set, &QPushButton::clicked, box, setTyped);
    QObject::connect(typed, &QLineEdit::returnPressed, box, setTyped);
}

QList<KeyBinding> keys()
{
    return {
        {QStringLiteral("chkRit"), QStringLiteral("RIT on or off"), QStringLiteral("Alt+R")},
        {QStringLiteral("chkXit"), QStringLiteral("XIT on or off"), QStringLiteral("Alt+X")},
        {QStringLiteral("cmdOffsetUp"), QStringLiteral("Offset up 10 Hz"), QStringLiteral("Alt+U")},
        {QStringLiteral("cmdOffsetDown"), QStringLiteral("Offset down 10 Hz"),
         QStringLiteral("Alt+D")},
        {QStringLiteral("cmdOffsetClear"), QStringLiteral("Clear the offset"),
         QStringLiteral("Alt+C")},
        {QStringLiteral("txtOffset"), QStringLiteral("Offset in hertz (field)"),
         QStringLiteral("Alt+O")},
        {QStringLiteral("cmdOffset"), QStringLiteral("Set the typed offset"),
         QStringLiteral("Alt+E")},
    };
}
} // namespace

extern const Section offsetSection{"OffsetSection", "RIT and XIT", build, keys};
