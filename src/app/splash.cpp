#include "app/splash.h"

#include "app/look.h"

#include <QPainter>

Splash::Splash(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Quillard title picture"));
    setFixedSize(400, 300);
    centreOnScreen(this);
}

void Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, QPixmap(QStringLiteral(":/pictures/splash.png")));
}

void Splash::mousePressEvent(QMouseEvent*)
{
    close();
}
