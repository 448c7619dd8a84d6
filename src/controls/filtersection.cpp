// The filter of the mode as sent: the widths the radio offers in that mode
// (radio/filterwidths.h), in a list that starts blank. While no mode has
// been sent the list is empty and disabled, and says so: the filters depend
// on the mode, and Quillard does not read the radio's. Each family of modes
// keeps its own filter as sent, so going back to CW shows the CW filter.

#include "controls/levelslider.h"
#include "controls/section.h"
#include "controls/stationcontext.h"
#include "radio/commandwords.h"
#include "radio/filterwidths.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {
void build(QGroupBox* box, StationContext& context)
{
    auto* grid = new QGridLayout(box);
    auto* list = new QComboBox(box);
    list->setObjectName(QStringLiteral("cboFilter"));
    list->setAccessibleName(QStringLiteral("Filter width"));
    auto* label = new QLabel(QStringLiteral("Filter width:"), box);
    label->setBuddy(list);
    auto* sent = new QLabel(box);
    sent->setObjectName(QStringLiteral("lblFilterSent"));
    const RefusalLine refusal = refusalLine(box, QStringLiteral("lblFilterProblem"), context);
    QLabel* problem = refusal.line;
    const CarryOut carryOut = refusal.carryOut;
    grid->addWidget(label, 0, 0);
    grid->addWidget(list, 0, 1);
    grid->addWidget(sent, 0, 2);
    grid->addWidget(problem, 1, 0, 1, 3);

    const auto show = [=, &context] {
        const StationState& state = context.station();
        const QSignalBlocker quiet(list);
        list->clear();
        if (!state.mode) {
            list->setEnabled(false);
            sent->setText(QStringLiteral("No mode sent yet: choose a mode to see its filters"));
            list->setAccessibleDescription(sent->text());
            return;
        }
        list->setEnabled(true);
        for (const FilterChoice& choice : filterChoices(*state.mode))
            list->addItem(QString::fromLatin1(choice.words), choice.value);
        const std::optional<int> asSent = state.levels.filter(*state.mode);
        list->setCurrentIndex(asSent ? list->findData(*asSent) : -1);
        sent->setText(QStringLiteral("%1 filter as sent: %2")
                          .arg(modeWords(*state.mode), asSent ? filterWords(*state.mode, *asSent)
                                                              : QStringLiteral("not sent yet")));
        list->setAccessibleDescription(sent->text());
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);
    // activated: the operator's choice only (a click, or an arrow key in the
    // closed list, each step of which sends), never the list being filled.
    QObject::connect(list, &QComboBox::activated, box, [=, &context](int index) {
        carryOut(Station::setFilter(context.station(), list->itemData(index).toInt()));
    });
}

QList<KeyBinding> keys()
{
    return {{QStringLiteral("cboFilter"), QStringLiteral("Filter width (list)"),
             QStringLiteral("Ctrl+J, W")}};
}
} // namespace

extern const Section filterSection{"FilterSection", "Filter", build, keys};
