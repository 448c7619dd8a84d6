#include "panel/columnbutton.h"

#include <QPainter>

namespace {
constexpr int bevel = 2;
} // namespace

ColumnButton::ColumnButton(const QString& caption, const QColor& face, const QColor& text,
                           QWidget* parent)
    : SelectionButton<QPushButton>(caption, parent), m_face(face), m_text(text)
{}

QRect ColumnButton::captionRect() const
{
    return rect().adjusted(bevel, bevel, -bevel, -bevel);
}

void ColumnButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool marked = isChecked();
    painter.fillRect(rect(), marked ? m_face.darker(170) : m_face);

    // Raised: lit from the top left; pressed in: the other way round.
    const QColor edge = hasFocus() ? m_face.lighter(220) : m_face.lighter(160);
    const QColor lit = edge.lighter(150);
    const QColor topLeft = marked ? edge : lit;
    const QColor bottomRight = marked ? lit : edge;
    const int right = width() - 1;
    const int bottom = height() - 1;
    for (int i = 0; i < bevel; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(i, i, right - i, i);
        painter.drawLine(i, i, i, bottom - i);
        painter.setPen(bottomRight);
        painter.drawLine(i, bottom - i, right - i, bottom - i);
        painter.drawLine(right - i, i, right - i, bottom - i);
    }

    painter.setPen(m_text);
    painter.setFont(font());
    painter.drawText(captionRect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
