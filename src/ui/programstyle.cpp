#include "ui/programstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>

namespace {
class ProgramStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        if (icon == SP_ToolBarHorizontalExtensionButton)
            return chevron(Qt::Horizontal);
        if (icon == SP_ToolBarVerticalExtensionButton)
            return chevron(Qt::Vertical);
        return QProxyStyle::standardIcon(icon, option, widget);
    }

private:
    // ">>" (or its downward twin), in the palette's text colour.
    static QIcon chevron(Qt::Orientation direction)
    {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QApplication::palette().color(QPalette::ButtonText), 1.5));
        for (int offset : {3, 8}) {
            if (direction == Qt::Horizontal)
                painter.drawPolyline(
                    QPolygonF({{offset + 0.5, 4.5}, {offset + 4.5, 8.0}, {offset + 0.5, 11.5}}));
            else
                painter.drawPolyline(
                    QPolygonF({{4.5, offset + 0.5}, {8.0, offset + 4.5}, {11.5, offset + 0.5}}));
        }
        return QIcon(pixmap);
    }
};
} // namespace

void installProgramStyle()
{
    static const bool installed = [] {
        // Wraps a fresh instance of the style in use, which Qt then replaces.
        QStyle* current = QApplication::style();
        QApplication::setStyle(new ProgramStyle(QStyleFactory::create(current->name())));
        return true;
    }();
    Q_UNUSED(installed);
}
