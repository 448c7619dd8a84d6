#include "ui/colours.h"

#include <QApplication>
#include <QHash>
#include <QWidget>

void useClassColours(QWidget* widget, std::initializer_list<ClassColour> colours)
{
    // One palette for every widget of the class, made once. A palette made
    // afresh at each opening of a window has a new cache key each time, so the
    // images the style caches for its buttons would never be found again and
    // would pile up in Qt's pixmap cache, opening after opening.
    static QHash<QByteArray, QList<QRgb>> shared;
    const QByteArray className = widget->metaObject()->className();
    QList<QRgb> wanted;
    for (const ClassColour& colour : colours)
        wanted << QRgb(colour.role) << colour.colour.rgba();
    if (shared.value(className) == wanted)
        return;
    QPalette palette = QApplication::palette();
    for (const ClassColour& colour : colours)
        palette.setColor(colour.role, colour.colour);
    // As if it were the application's own: the widget and its children then
    // take this very palette, rather than copies resolved against it.
    palette.setResolveMask(0);
    QApplication::setPalette(palette, className.constData());
    shared.insert(className, wanted);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    useClassColours(widget, {{QPalette::Window, colour}});
    widget->setAutoFillBackground(true);
}
