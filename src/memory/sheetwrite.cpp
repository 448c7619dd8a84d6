#include "memory/sheetwrite.h"

#include "memory/memorywriter.h"

#include <QStringList>

#include <chrono>

namespace {
constexpr std::chrono::milliseconds Pause{200};
} // namespace

SheetWrite::SheetWrite(Hooks hooks, QObject* parent) : QObject(parent), m_hooks(std::move(hooks)) {}

void SheetWrite::start()
{
    if (m_running)
        return;
    m_running = true;
    m_stopAsked = false;
    m_result = {};
    m_channel = 0;
    goOn();
}

void SheetWrite::stop()
{
    if (m_running)
        m_stopAsked = true;
}

void SheetWrite::cancel()
{
    m_running = false;
    ++m_pauseNumber;
    m_pause.reset();
}

QList<int> SheetWrite::filledFrom(int first) const
{
    QList<int> filled;
    for (int channel = first; channel < MemorySheetChannels; ++channel)
        if (!m_hooks.texts(channel).frequency.isEmpty())
            filled.append(channel);
    return filled;
}

void SheetWrite::goOn()
{
    for (; m_channel < MemorySheetChannels; ++m_channel) {
        if (m_stopAsked) {
            m_result.stopped = true;
            m_result.notReached = filledFrom(m_channel);
            finish();
            return;
        }
        const int channel = m_channel;
        const MemoryRecord texts = m_hooks.texts(channel);
        const ChannelWrite write =
            planChannelWrite(channel, texts.frequency, texts.mode, m_modeCodes[channel]);
        switch (write.outcome) {
        case ChannelWrite::Outcome::Empty:
            break;
        case ChannelWrite::Outcome::NoMode:
            m_result.withoutMode.append(channel);
            break;
        case ChannelWrite::Outcome::UnsafeText:
            m_result.withUnsafeText.append(channel);
            break;
        case ChannelWrite::Outcome::Send:
            emit progress(channel, static_cast<int>(filledFrom(channel + 1).size()));
            if (!m_hooks.send(*write.command)) {
                m_result.failedAt = channel;
                m_result.notReached = filledFrom(channel);
                finish();
                return;
            }
            m_result.written.append(channel);
            ++m_channel;
            m_pauseEndsNs = Clock::current().nowNs() + std::chrono::nanoseconds(Pause).count();
            pauseAfterCommand();
            return;
        }
    }
    finish();
}

void SheetWrite::pauseAfterCommand()
{
    // The alarm only hands over to the event loop: the next step may set the
    // next alarm, which must not destroy the one still ringing.
    const qint64 left = m_pauseEndsNs - Clock::current().nowNs();
    const auto wait = std::chrono::milliseconds((left + 999999) / 1000000);
    const int pause = ++m_pauseNumber;
    m_pause = Clock::current().alarmAfter(wait, this, [this, pause] {
        QMetaObject::invokeMethod(
            this,
            [this, pause] {
                // A write cancelled since, or another begun, is not this pause's.
                if (pause != m_pauseNumber)
                    return;
                // A timer may ring a little early: the pause is never shortened.
                if (Clock::current().nowNs() < m_pauseEndsNs)
                    pauseAfterCommand();
                else
                    goOn();
            },
            Qt::QueuedConnection);
    });
}

void SheetWrite::finish()
{
    m_running = false;
    ++m_pauseNumber;
    m_pause.reset();
    const SheetWriteResult result = m_result;
    emit finished(result);
}

QString sheetWriteMessage(const SheetWriteResult& result)
{
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
