#include "radio/radiomodel.h"

namespace {
// whole.fraction with the fraction's trailing zeros left out: "30", "1.8".
QString decimal(quint64 value, quint64 unit, int digits)
{
    QString fraction = QString::number(value % unit).rightJustified(digits, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    const QString whole = QString::number(value / unit);
    return fraction.isEmpty() ? whole : whole + QLatin1Char('.') + fraction;
}

// A range's end in the unit an operator would say it in: "500 kHz", "30 MHz".
QString endWords(quint64 hertz)
{
    if (hertz >= 1'000'000)
        return decimal(hertz, 1'000'000, 6) + QStringLiteral(" MHz");
    if (hertz >= 1000)
        return decimal(hertz, 1000, 3) + QStringLiteral(" kHz");
    return QStringLiteral("%1 Hz").arg(hertz);
}
} // namespace

QString modelName(RadioModel model)
{
    return model == RadioModel::TS570S ? QStringLiteral("TS-570S") : QStringLiteral("TS-570D");
}

QString rangeWords(const TuningRange& range)
{
    return endWords(range.lowest) + QStringLiteral(" to ") + endWords(range.highest);
}
