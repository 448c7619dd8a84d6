#include "app/splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

Splash::Splash(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAccessibleName(QStringLiteral("Quillard title picture"));
    setFixedSize(400, 300);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
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
