#include "panel/panelframe.h"

#include "app/look.h"

#include <QPainter>
#include <QStyle>

QFont sansSerifBold()
{
    return designFont(8.25, true);
}

QFont tahoma()
{
    return tahomaFont(8.25);
}

QRect stackedInFrame(const FrameSpec& frame, int index, QSize size, Qt::Orientation direction)
{
    const QRect& area = frame.geometry;
    if (direction == Qt::Vertical) {
        const int x = area.x() + (area.width() - size.width()) / 2;
        return {QPoint(x, area.y() + frameCaptionHeight + index * size.height()), size};
    }
    // A row of buttons centred as a whole under the caption.
    const int rowWidth = 3 * size.width();
    const int x = area.x() + (area.width() - rowWidth) / 2;
    return {QPoint(x + index * size.width(), area.y() + frameCaptionHeight), size};
}

PanelFrame::PanelFrame(const FrameSpec& spec, QWidget* canvas)
    : QWidget(canvas), m_caption(QString::fromLatin1(spec.caption))
{
    setObjectName(QString::fromLatin1(spec.name));
    setAccessibleName(m_caption);
    setGeometry(spec.geometry);
    QPalette colours = palette();
    if (spec.hasBackground)
        colours.setColor(QPalette::Window, QColor::fromRgb(spec.background));
    else
        colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    colours.setColor(QPalette::WindowText, QColor::fromRgb(spec.text));
    setPalette(colours);
    switch (spec.font) {
    case CaptionFont::SansSerifBold:
        setFont(sansSerifBold());
        break;
    case CaptionFont::Tahoma:
        setFont(tahoma());
        break;
    case CaptionFont::PlatformDefault:
        break;
    }
}

void PanelFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // An etched border whose top runs through the middle of the caption.
    const int top = fontMetrics().height() / 2;
    const QRect border = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Window).darker(160));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Window).lighter(160));
    painter.drawRect(border.adjusted(1, 1, 1, 1));

    const int textWidth = fontMetrics().horizontalAdvance(m_caption);
    const QRect captionBox(6, 0, textWidth + 4, fontMetrics().height());
    painter.fillRect(captionBox, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionBox, Qt::AlignCenter, m_caption);
}
