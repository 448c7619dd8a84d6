#include "ui/pictures.h"

#include <QImageReader>
#include <QPixmap>

QImage loadPicture(const QString& resourcePath)
{
    QImageReader reader(resourcePath, "png");
    // Without this the reader still asks every plugin whether it knows the file.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QIcon programIcon()
{
    return QIcon(QPixmap::fromImage(loadPicture(QStringLiteral(":/pictures/quillard-icon.png"))));
}
