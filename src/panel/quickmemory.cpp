#include "panel/quickmemory.h"

#include "controls/stationcontext.h"
#include "panel/panelcanvas.h"
#include "panel/selectiongroup.h"
#include "ui/captions.h"
#include "ui/colours.h"

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

// The hundred buttons and their caption, in the frame's colours: classes of
// their own, so that the colours are one palette made once (see
// useClassColours).
class QuickMemoryButton : public SelectionButton<QRadioButton> {
    Q_OBJECT

public:
    QuickMemoryButton(const QString& caption, const FrameSpec& frame, QWidget* parent)
        : SelectionButton<QRadioButton>(caption, parent)
    {
        useClassColours(this, {{QPalette::Window, QColor::fromRgb(frame.background)},
                               {QPalette::WindowText, QColor::fromRgb(frame.text)}});
    }
};

class QuickMemoryCaption : public QLabel {
    Q_OBJECT

public:
    QuickMemoryCaption(const QString& caption, const FrameSpec& frame, QWidget* parent)
        : QLabel(caption, parent)
    {
        useClassColours(this, {{QPalette::Window, QColor::fromRgb(frame.background)},
                               {QPalette::WindowText, QColor::fromRgb(frame.text)}});
    }
};

// Option9_Click ... Option108_Click.
void memory_Click(StationContext& panel, int channel)
{
    panel.carryOut(Station::recallMemory(panel.station(), channel));
}
} // namespace

void buildQuickMemories(StationContext& panel, PanelCanvas& canvas)
{
    const FrameSpec& frame = frameSpec(Frame::MemorySelection);
    const QFont font = tahoma();
    auto* compact = new CompactRadioStyle;
    compact->setParent(canvas.widget());

    QList<QRadioButton*> buttons;
    for (int channel = 0; channel < memoryChannels; ++channel) {
        const QString caption = QStringLiteral("Mem %1").arg(channel, 2, 10, QLatin1Char('0'));
        auto* button = new QuickMemoryButton(caption, frame, canvas.widget());
        button->setObjectName(QStringLiteral("Option%1").arg(memoryControlNumber(channel)));
        button->setAccessibleName(caption);
        button->setGeometry(
            memoryCell(frame, channel / memoryRowsPerColumn, channel % memoryRowsPerColumn));
        button->setFont(font);
        button->setStyle(compact);
        canvas.addSelection(button, [&panel, channel] { memory_Click(panel, channel); });
        buttons.append(button);
    }
    // All hundred in one font, so the grid reads evenly.
    fitCaptions(buttons);

    // Under "Mem 99" in the last column, wrapped to the column's width.
    const int lastColumn = (memoryChannels - 1) / memoryRowsPerColumn;
    const int rowAfterLast = (memoryChannels - 1) % memoryRowsPerColumn + 1;
    const QRect first = memoryCell(frame, lastColumn, rowAfterLast);
    const int bottom = frame.geometry.bottom() - 2;
    auto* label =
        new QuickMemoryCaption(QStringLiteral("Quick Memory Selection"), frame, canvas.widget());
    label->setObjectName(QStringLiteral("QuickMemoryLabel"));
    label->setAccessibleName(label->text());
    label->setGeometry(first.x(), first.y() + 4, memoryButtonSize.width() + 2,
                       bottom - first.y() - 4);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    label->setFont(font);
    fitCaption(label);
}

#include "quickmemory.moc"
