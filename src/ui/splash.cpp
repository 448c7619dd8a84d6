#include "ui/splash.h"

#include "ui/look.h"
#include "ui/pictures.h"

#include <QPainter>

Splash::Splash(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Quillard title picture"));
    setFixedSize(400, 300);
    centreOnScreen(this);
    m_picture = loadPicture(QStringLiteral(":/pictures/splash.png"));
}

void Splash::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void Splash::mousePressEvent(QMouseEvent*)
{
    close();
}
