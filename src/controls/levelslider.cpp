#include "controls/levelslider.h"

#include "controls/sliderpacer.h"
#include "controls/stationcontext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>

RefusalLine refusalLine(QGroupBox* box, const QString& objectName, StationContext& context)
{
    auto* line = new QLabel(box);
    line->setObjectName(objectName);
    line->setWordWrap(true);
    line->hide();
    return {line, [box, line, &context](const StationStep& step) {
                line->setText(step.refusal);
                line->setVisible(!step.refusal.isEmpty());
                context.carryOut(step, box->window());
            }};
}

QString levelAsSentWords(const StationState& state, Level level)
{
    const std::optional<int> value = levelAsSent(state, level);
    return QStringLiteral("%1 as sent: %2")
        .arg(QString::fromLatin1(levelRow(level).caption),
             value ? levelValueWords(level, *value) : QStringLiteral("not sent yet"));
}

QSlider* addLevelSlider(QGroupBox* box, QGridLayout* grid, int row, Level level,
                        StationContext& context, const CarryOut& carryOut)
{
    const LevelRow& facts = levelRow(level);
    const QString caption = QString::fromLatin1(facts.caption);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(QString::fromLatin1(facts.name));
    slider->setAccessibleName(caption);
    slider->setRange(facts.lowest, facts.highest);
    slider->setSingleStep(facts.step);
    slider->setPageStep(facts.pageStep);
    slider->setFocusPolicy(Qt::StrongFocus);
    auto* label = new QLabel(caption + QLatin1Char(':'), box);
    label->setBuddy(slider);
    auto* sent = new QLabel(box);
    sent->setObjectName(
        QString::fromLatin1(facts.name).replace(QLatin1String("Slider"), QLatin1String("Sent")));
    sent->setMinimumWidth(sent->fontMetrics().horizontalAdvance(
        QStringLiteral("Microphone gain as sent: not sent yet")));
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(sent, row, 2);

    auto* pacer = new SliderPacer(slider, [level, &context, carryOut](int value) {
        carryOut(Station::setLevel(context.station(), level, value));
    });
    // The middle of an even range: where the slider rests while nothing is
    // sent (the IF shift's centre is 0). Kept on the step grid.
    const int rest = facts.lowest + ((facts.highest - facts.lowest) / 2 / facts.step) * facts.step;
    const auto show = [=, &context] {
        const StationState& state = context.station();
        const QString words = levelAsSentWords(state, level);
        sent->setText(words);
        slider->setAccessibleDescription(words);
        pacer->show(levelAsSent(state, level).value_or(rest));
    };
    show();
    QObject::connect(&context, &StationContext::stationChanged, box, show);
    return slider;
}
