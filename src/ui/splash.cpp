#include "ui/splash.h"

#include "ui/pictures.h"
#include "ui/placement.h"
#include "ui/version.h"

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
    // The picture leaves the version line free, so it never shows an old one.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(0xc8, 0xd6, 0xf0));
    painter.drawText(32, 220, QStringLiteral("Version ") + QLatin1String(Version::Shown));
}

void Splash::mousePressEvent(QMouseEvent*)
{
    close();
}
