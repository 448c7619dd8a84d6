#include "schedule/broadcastbands.h"

QString BroadcastBand::caption() const
{
    return QStringLiteral("%1 (%2-%3 kHz)")
        .arg(QLatin1String(name), QString::number(lowHertz / 1000),
             QString::number(highHertz / 1000));
}
