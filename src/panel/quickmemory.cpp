#include "panel/quickmemory.h"

#include "panel/panelcanvas.h"
#include "panel/panelcontext.h"
#include "panel/selectiongroup.h"
#include "ui/look.h"

#include <QLabel>
#include <QProxyStyle>
#include <QRadioButton>

#include <algorithm>

namespace {
constexpr QSize memoryButtonSize(57, 17);
// Left margin of the first column, and where the first row starts below the
// frame's top edge (the caption band of this frame is slimmer than the others
// so that fifteen rows fit).
constexpr int memoryLeftMargin = 5;
constexpr int memoryTopMargin = 10;

QRect memoryCell(const FrameSpec& frame, int column, int row)
{
    return {frame.geometry.topLeft() + QPoint(memoryLeftMargin + column * memoryButtonSize.width(),
                                              memoryTopMargin + row * memoryButtonSize.height()),
            memoryButtonSize};
}

// Slightly smaller dots with less space before the caption, so "Mem 00" fits
// its 57 pixels with the platform's wider dots.
class CompactRadioStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return std::min(12, QProxyStyle::pixelMetric(metric, option, widget));
        case PM_RadioButtonLabelSpacing:
            return std::min(3, QProxyStyle::pixelMetric(metric, option, widget));
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

// Option9_Click ... Option108_Click.
void recallMemory(PanelContext& panel, int channel)
{
    panel.SendCommand(CatCommand::receiveOn(Receiver::Memory));
    panel.SendCommand(CatCommand::recallMemory(channel));
}
} // namespace

void buildQuickMemories(PanelContext& panel, PanelCanvas& canvas)
{
    const FrameSpec& frame = frameSpec(Frame::MemorySelection);
    QPalette colours = canvas.widget()->palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(frame.background));
    colours.setColor(QPalette::WindowText, QColor::fromRgb(frame.text));
    const QFont font = tahoma();
    auto* compact = new CompactRadioStyle;
    compact->setParent(canvas.widget());

    QList<QRadioButton*> buttons;
    for (int channel = 0; channel < memoryChannels; ++channel) {
        const QString caption = QStringLiteral("Mem %1").arg(channel, 2, 10, QLatin1Char('0'));
        auto* button = new SelectionButton<QRadioButton>(caption, canvas.widget());
        button->setObjectName(QStringLiteral("Option%1").arg(memoryControlNumber(channel)));
        button->setAccessibleName(caption);
        button->setGeometry(
            memoryCell(frame, channel / memoryRowsPerColumn, channel % memoryRowsPerColumn));
        button->setFont(font);
        button->setPalette(colours);
        button->setStyle(compact);
        canvas.addSelection(button, [&panel, channel] { recallMemory(panel, channel); });
        buttons.append(button);
    }
    // All hundred in one font, so the grid reads evenly.
    fitCaptions(buttons);

    // Under "Mem 99" in the last column, wrapped to the column's width.
    const int lastColumn = (memoryChannels - 1) / memoryRowsPerColumn;
    const int rowAfterLast = (memoryChannels - 1) % memoryRowsPerColumn + 1;
    const QRect first = memoryCell(frame, lastColumn, rowAfterLast);
    const int bottom = frame.geometry.bottom() - 2;
    auto* label = new QLabel(QStringLiteral("Quick Memory Selection"), canvas.widget());
    label->setObjectName(QStringLiteral("QuickMemoryLabel"));
    label->setAccessibleName(label->text());
    label->setGeometry(first.x(), first.y() + 4, memoryButtonSize.width() + 2,
                       bottom - first.y() - 4);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(font);
    label->setPalette(colours);
    fitCaption(label);
}
