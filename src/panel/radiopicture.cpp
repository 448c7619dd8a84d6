#include "panel/radiopicture.h"

#include "ui/pictures.h"

#include <QMouseEvent>
#include <QPainter>

RadioPicture::RadioPicture(QWidget* parent)
    : QWidget(parent), m_picture(loadPicture(QStringLiteral(":/pictures/radio-front.png")))
{
    setObjectName(QStringLiteral("Picture1"));
    setAccessibleName(QStringLiteral("Radio front panel"));
    setFocusPolicy(Qt::StrongFocus);
    setGeometry(175, 4, 251, 116);
}

void RadioPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(rect(), m_picture);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void RadioPicture::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void RadioPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
