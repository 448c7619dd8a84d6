#include "app/look.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStringList>

namespace {
QFont withStandIns(const QString& family, qreal pointSize, bool bold)
{
    QFont font;
    font.setFamilies({family, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
} // namespace

void makeFixedDialog(QDialog* dialog, QSize clientSize)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(clientSize);
    dialog->setModal(true);
    centreOnScreen(dialog);
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() -
                     QPoint(window->width() / 2, window->height() / 2));
}

QFont designFont(qreal pointSize, bool bold)
{
    return withStandIns(QStringLiteral("MS Sans Serif"), pointSize, bold);
}

QFont tahomaFont(qreal pointSize)
{
    return withStandIns(QStringLiteral("Tahoma"), pointSize, false);
}

void fillBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void shrinkToFit(QLabel* label)
{
    QFont font = label->font();
    while (label->sizeHint().height() > label->height() && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        label->setFont(font);
    }
}
