// Split: receive on VFO A and transmit on VFO B ("listening up 5"). "Split"
// is checked while split is on as sent; the radio ends split itself when
// told where to receive (a band button, "VFO A", a memory), and the box
// follows. The transmit frequency is VFO B's: typed (the frequency entry's
// forms), or VFO A's frequency as sent plus 1, 5 or 10 kHz. Quillard does not
// read the radio, so both frequencies are shown "as sent".

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

#include <array>

namespace {
struct Above {
    const char* name;
    const char* caption;
    int kilohertz;
};
constexpr std::array<Above, 3> aboveA = {{
    {"cmdUp1", "+1 kHz", 1},
    {"cmdUp5", "+5 kHz", 5},
    {"cmdUp10", "+10 kHz", 10},
}};

QString splitAsSent(const StationState& state)
{
    const std::optional<bool> split = state.split();
    if (!split)
        return QStringLiteral("Split as sent: not sent yet");
    return *split ? QStringLiteral("Split as sent: on") : QStringLiteral("Split as sent: off");
}

QString frequencyAsSent(Vfo vfo, const StationState& state)
{
    const std::optional<quint64> hertz = state.frequency(vfo);
    return QStringLiteral("%1 as sent: %2")
        .arg(vfoWords(vfo), hertz ? megahertz(*hertz) : QStringLiteral("not sent yet"));
}

void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    auto* split = new QCheckBox(QStringLiteral("Split: receive A, transmit B"), box);
    split->setObjectName(QStringLiteral("chkSplit"));
    split->setAccessibleName(QStringLiteral("Split"));
    auto* splitSent = new QLabel(box);
    splitSent->setObjectName(QStringLiteral("lblSplitSent"));
    grid->addWidget(split, 0, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(splitSent, 0, 2, 1, 2);

    auto* transmit = new QLineEdit(box);
    transmit->setObjectName(QStringLiteral("txtTransmit"));
    transmit->setAccessibleName(QStringLiteral("Transmit frequency"));
    transmit->setAccessibleDescription(frequencyForms());
    transmit->setMaxLength(40);
    auto* transmitLabel = new QLabel(QStringLiteral("Transmit frequency (VFO B):"), box);
    transmitLabel->setBuddy(transmit);
    auto* setB = new QPushButton(QStringLiteral("Set VFO B"), box);
    setB->setObjectName(QStringLiteral("cmdTransmit"));
    setB->setAccessibleName(QStringLiteral("Set the transmit frequency"));
    grid->addWidget(transmitLabel, 1, 0);
    grid->addWidget(transmit, 1, 1, 1, 2);
    grid->addWidget(setB, 1, 3);

    auto* aSent = new QLabel(box);
    aSent->setObjectName(QStringLiteral("lblVfoASent"));
    grid->addWidget(aSent, 2, 0);
    for (int column = 1; const Above& above : aboveA) {
        auto* button = new QPushButton(QString::fromLatin1(above.caption), box);
        button->setObjectName(QString::fromLatin1(above.name));
        button->setAccessibleName(
            QStringLiteral("Transmit %1 kHz above VFO A as sent").arg(above.kilohertz));
        grid->addWidget(button, 2, column++);
        QObject::connect(button, &QPushButton::clicked, box, [box, &context, above] {
            context.carryOut(Station::transmitAboveA(context.station(), above.kilohertz),
                             box->window());
        });
    }
    auto* bSent = new QLabel(box);
    bSent->setObjectName(QStringLiteral("lblVfoBSent"));
    grid->addWidget(bSent, 3, 0, 1, 4);

    auto* problem = new QLabel(box);
    problem->setObjectName(QStringLiteral("lblSplitProblem"));
    problem->setWordWrap(true);
    problem->hide();
    grid->addWidget(problem, 4, 0, 1, 4);

    const auto show = [=, &context] {
        const StationState& state = context.station();
        split->setChecked(state.split().value_or(false));
        splitSent->setText(splitAsSent(state));
        aSent->setText(frequencyAsSent(Vfo::A, state));
        bSent->setText(frequencyAsSent(Vfo::B, state));
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);

    // A step that sends nothing says why here; one that sends clears it.
    const auto carryOut = [box, problem, &context](const StationStep& step) {
        problem->setText(step.refusal);
        problem->setVisible(!step.refusal.isEmpty());
        context.carryOut(step, box->window());
    };
    QObject::connect(split, &QCheckBox::clicked, box, [=, &context] {
        // Clicking asks for the other state than the one last sent.
        carryOut(
            Station::switchSplit(context.station(), !context.station().split().value_or(false)));
        show();
    });
    const auto setTransmit = [=, &context] {
        const TypedFrequency typed =
            readFrequency(transmit->text(), context.station().radioModel());
        if (!typed.hertz) {
            problem->setText(typed.problem);
            problem->show();
            announce(box->window(), typed.problem);
            return;
        }
        carryOut(Station::setTransmitFrequency(context.station(), *typed.hertz));
    };
    QObject::connect(setB, &QPushButton::clicked, box, setTransmit);
    QObject::connect(transmit, &QLineEdit::returnPressed, box, setTransmit);
}

QList<KeyBinding> keys()
{
    return {
        {QStringLiteral("chkSplit"), QStringLiteral("Split on or off"), QStringLiteral("Alt+S")},
        {QStringLiteral("txtTransmit"), QStringLiteral("Transmit frequency (field)"),
         QStringLiteral("Alt+T")},
        {QStringLiteral("cmdTransmit"), QStringLiteral("Set the transmit frequency"),
         QStringLiteral("Alt+B")},
        {QStringLiteral("cmdUp1"), QStringLiteral("Transmit 1 kHz above VFO A"),
         QStringLiteral("Alt+1")},
        {QStringLiteral("cmdUp5"), QStringLiteral("Transmit 5 kHz above VFO A"),
         QStringLiteral("Alt+5")},
        {QStringLiteral("cmdUp10"), QStringLiteral("Transmit 10 kHz above VFO A"),
         QStringLiteral("Alt+0")},
    };
}
} // namespace

extern const Section splitSection{"SplitSection", "Split", build, keys};
