#include "memory/sheetwrite.h"

#include "clock/clock.h"
#include "memory/memorywriter.h"

#include <QStringList>

namespace {
constexpr double PauseSeconds = 0.2;

QList<int> filledFrom(const SheetWrite::Hooks& hooks, int first)
{
    QList<int> filled;
    for (int channel = first; channel < MemorySheetChannels; ++channel)
        if (!hooks.texts(channel).frequency.isEmpty())
            filled.append(channel);
    return filled;
}
} // namespace

SheetWriteResult SheetWrite::run(const Hooks& hooks, ModeCodes& modeCodes)
{
    SheetWriteResult result;
    for (int channel = 0; channel < MemorySheetChannels; ++channel) {
        if (!hooks.carryOn()) {
            result.abandoned = true;
            return result;
        }
        if (m_stopAsked) {
            result.stopped = true;
            result.notReached = filledFrom(hooks, channel);
            return result;
        }
        const MemoryRecord texts = hooks.texts(channel);
        const ChannelWrite write =
            planChannelWrite(channel, texts.frequency, texts.mode, modeCodes[channel]);
        switch (write.outcome) {
        case ChannelWrite::Outcome::Empty:
            break;
        case ChannelWrite::Outcome::NoMode:
            result.withoutMode.append(channel);
            break;
        case ChannelWrite::Outcome::UnsafeText:
            result.withUnsafeText.append(channel);
            break;
        case ChannelWrite::Outcome::Send:
            hooks.progress(channel, static_cast<int>(filledFrom(hooks, channel + 1).size()));
            if (!hooks.send(*write.command)) {
                result.failedAt = channel;
                result.notReached = filledFrom(hooks, channel);
                return result;
            }
            result.written.append(channel);
            WaitSeconds(PauseSeconds);
            break;
        }
    }
    if (!hooks.carryOn())
        result.abandoned = true;
    return result;
}

QString sheetWriteMessage(const SheetWriteResult& result)
{
    if (result.abandoned)
        return {};
    QStringList parts;
    const QString skipped = skippedChannelsMessage(result.withoutMode, result.withUnsafeText);
    if (!skipped.isEmpty())
        parts.append(skipped);
    const QString written =
        result.written.isEmpty()
            ? QStringLiteral("no channel was written")
            : QStringLiteral("%1 %2 written")
                  .arg(channelList(result.written),
                       result.written.size() == 1 ? QStringLiteral("was") : QStringLiteral("were"));
    const QString notWritten =
        result.notReached.isEmpty()
            ? QStringLiteral("no filled channel was left")
            : QStringLiteral("%1 %2 not written")
                  .arg(channelList(result.notReached), result.notReached.size() == 1
                                                           ? QStringLiteral("was")
                                                           : QStringLiteral("were"));
    auto lowerFirst = [](QString text) {
        text[0] = text[0].toLower();
        return text;
    };
    if (result.failedAt >= 0)
        parts.append(QStringLiteral("The write stopped at channel %1 because the command could "
                                    "not be sent to the radio; %2, %3. Check the serial port "
                                    "and write again.")
                         .arg(QStringLiteral("%1").arg(result.failedAt, 2, 10, QLatin1Char('0')),
                              lowerFirst(written), lowerFirst(notWritten)));
    else if (result.stopped)
        parts.append(QStringLiteral("The write was stopped: %1; %2. Press Write to radio to "
                                    "write the sheet again.")
                         .arg(lowerFirst(written), lowerFirst(notWritten)));
    return parts.join(QStringLiteral("\n\n"));
}
