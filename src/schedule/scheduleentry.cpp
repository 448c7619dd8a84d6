#include "schedule/scheduleentry.h"

#include <QStringList>

QString ScheduleEntry::kilohertzText() const
{
    QString text = QString::number(hertz / 1000);
    if (const qint64 hertzPart = hertz % 1000) {
        QString decimals = QStringLiteral("%1").arg(hertzPart, 3, 10, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return text;
}

QString Schedule::unreadLinesText() const
{
    if (unreadLines.isEmpty())
        return {};
    constexpr qsizetype listed = 10;
    QStringList numbers;
    for (qsizetype i = 0; i < std::min(unreadLines.size(), listed); ++i)
        numbers << QString::number(unreadLines[i]);
    QString text = unreadLines.size() == 1
                       ? QStringLiteral("1 line could not be read: ")
                       : QStringLiteral("%1 lines could not be read: ").arg(unreadLines.size());
    text += numbers.join(QStringLiteral(", "));
    if (unreadLines.size() > listed)
        text += QStringLiteral(" and %1 more").arg(unreadLines.size() - listed);
    return text;
}
