#include "panel/panelframe.h"

#include "ui/look.h"

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
    : QWidget(canvas), m_which(spec.frame), m_caption(QString::fromLatin1(spec.caption))
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
        m_captionFont = sansSerifBold();
        break;
    case CaptionFont::Tahoma:
        m_captionFont = tahoma();
        break;
    case CaptionFont::PlatformDefault:
        m_captionFont = font();
        break;
    }
}

namespace {
// The caption is painted in a box from x = 6 with 2 pixels either side, and
// the border takes the frame's last 3 pixels.
constexpr int captionLeft = 6;
constexpr int captionPadding = 2;
constexpr int borderWidth = 3;
} // namespace

void PanelFrame::fitCaption(int band)
{
    const int room = width() - captionLeft - 2 * captionPadding - borderWidth;
    m_captionFont = largestFitting(m_captionFont, [&](const QFont& form) {
        const QFontMetrics metrics(form, this);
        // The line starts at the top; what counts below is where its letters end.
        const int lettersEnd = metrics.ascent() + metrics.tightBoundingRect(m_caption).bottom() + 1;
        return metrics.horizontalAdvance(m_caption) <= room && lettersEnd <= band;
    });
}

void PanelFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // An etched border whose top runs through the middle of the caption.
    painter.setFont(m_captionFont);
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = metrics.height() / 2;
    const QRect border = rect().adjusted(0, top, -1, -1);
    painter.setPen(palette().color(QPalette::Window).darker(160));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Window).lighter(160));
    painter.drawRect(border.adjusted(1, 1, 1, 1));

    const int textWidth = metrics.horizontalAdvance(m_caption);
    const QRect captionBox(captionLeft, 0, textWidth + 2 * captionPadding, metrics.height());
    painter.fillRect(captionBox, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(captionBox, Qt::AlignCenter, m_caption);
}
