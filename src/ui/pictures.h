#pragma once

// The program's pictures, compiled in as PNG files under :/pictures/. They
// are read with Qt's own PNG reader named outright, so no image-format plugin
// is asked about them (and none is loaded), and they go into no cache: a
// picture lives as long as the window that shows it.

#include <QIcon>
#include <QImage>
#include <QString>

// The picture, as decoded from its file (a palette picture stays one).
QImage loadPicture(const QString& resourcePath);

// The program's icon, for its windows.
QIcon programIcon();
