#include "memory/memorywriter.h"

#include <QStringList>

ChannelWrite planChannelWrite(int channel, const QString& frequency, const QString& mode,
                              QString& modeCode)
{
    if (const auto digit = CatCommand::modeDigitFor(mode))
        modeCode = *digit;
    if (frequency.isEmpty())
        return {ChannelWrite::Outcome::Empty, std::nullopt};
    if (modeCode.isEmpty())
        return {ChannelWrite::Outcome::NoMode, std::nullopt};
    auto command = CatCommand::memoryWrite(channel, frequency, modeCode);
    if (!command)
        return {ChannelWrite::Outcome::UnsafeText, std::nullopt};
    return {ChannelWrite::Outcome::Send, std::move(command)};
}

QString channelList(const QList<int>& channels)
{
    // Three or more channels in a row read as a range ("10 to 99").
    auto name = [](int channel) {
        return QStringLiteral("%1").arg(channel, 2, 10, QLatin1Char('0'));
    };
    QStringList names;
    for (qsizetype i = 0; i < channels.size();) {
        qsizetype end = i;
        while (end + 1 < channels.size() && channels[end + 1] == channels[end] + 1)
            ++end;
        if (end - i >= 2) {
            names.append(name(channels[i]) + QStringLiteral(" to ") + name(channels[end]));
        } else {
            for (qsizetype k = i; k <= end; ++k)
                names.append(name(channels[k]));
        }
        i = end + 1;
    }
    const bool several = channels.size() > 1;
    const QString noun = several ? QStringLiteral("Channels") : QStringLiteral("Channel");
    if (names.size() == 1)
        return noun + QLatin1Char(' ') + names.constFirst();
    const QString last = names.takeLast();
    return QStringLiteral("%1 %2 and %3").arg(noun, names.join(QStringLiteral(", ")), last);
}

QString skippedChannelsMessage(const QList<int>& withoutMode, const QList<int>& withUnsafeText)
{
    QStringList parts;
    if (!withoutMode.isEmpty())
        parts.append(QStringLiteral("%1 %2 not written to the radio: no mode has been given. "
                                    "Enter one of the mode words lsb, usb, cw, fm, am or fsk, "
                                    "all in lower case or all in upper case (usb or USB), "
                                    "then write again.")
                         .arg(channelList(withoutMode), withoutMode.size() == 1
                                                            ? QStringLiteral("was")
                                                            : QStringLiteral("were")));
    if (!withUnsafeText.isEmpty())
        parts.append(QStringLiteral("%1 %2 not written to the radio: the frequency holds a "
                                    "character the radio's commands cannot carry (a \";\", a "
                                    "control character or a character other than plain "
                                    "letters, digits and punctuation). Enter the frequency "
                                    "as seven digits, then write again.")
                         .arg(channelList(withUnsafeText), withUnsafeText.size() == 1
                                                               ? QStringLiteral("was")
                                                               : QStringLiteral("were")));
    return parts.join(QStringLiteral("\n\n"));
}
