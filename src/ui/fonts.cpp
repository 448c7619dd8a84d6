#include "ui/fonts.h"

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

QFont designFont(qreal pointSize, bool bold)
{
    return withStandIns(QStringLiteral("MS Sans Serif"), pointSize, bold);
}

QFont tahomaFont(qreal pointSize)
{
    return withStandIns(QStringLiteral("Tahoma"), pointSize, false);
}
