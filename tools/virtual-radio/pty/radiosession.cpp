#include "radiosession.h"

#include "../core/logline.h"
#include "virtualport.h"

#include <QDateTime>

namespace vradio {

RadioSession::RadioSession(VirtualPort* port, const QElapsedTimer& clock, std::FILE* output,
                           Model model, int replyDelayMs, QObject* parent)
    : QObject(parent), m_port(port), m_clock(clock), m_output(output), m_radio(model),
      m_replyDelayMs(replyDelayMs)
{
    m_tuningTimer.setSingleShot(true);
    m_tuningTimer.setInterval(TuningMilliseconds);
    connect(&m_tuningTimer, &QTimer::timeout, this, &RadioSession::onTuningDone);
    m_keyerTimer.setSingleShot(true);
    m_keyerTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_keyerTimer, &QTimer::timeout, this, &RadioSession::onKeyerDue);
    connect(m_port, &VirtualPort::received, this, &RadioSession::onReceived);
}

void RadioSession::writeLine(const QByteArray& line)
{
    // Flushed per line: the tests read us through a pipe as we go.
    if (m_output) {
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), m_output);
        std::fflush(m_output);
    }
    emit lineWritten(line.endsWith('\n') ? line.chopped(1) : line);
}

void RadioSession::onReceived(const QByteArray& bytes)
{
    const QList<QByteArray> commands = m_framer.feed(bytes);
    if (commands.isEmpty())
        return;
    // One time stamp per read: the commands in it arrived together.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const qint64 elapsed = m_clock.nsecsElapsed();
    m_radio.advanceClock(elapsed / 1000);
    for (const QByteArray& command : commands) {
        const bool wasTuning = m_radio.state().tuning;
        const Outcome outcome = m_radio.execute(command);
        writeLine(logline::received(now, elapsed, command, outcome.kind));
        if (outcome.overflow)
            writeLine(logline::overflow(now, elapsed, outcome.overflow->waiting.size(),
                                        outcome.overflow->refused));
        if (m_radio.state().tuning && !wasTuning)
            m_tuningTimer.start();
        if (outcome.reply.isEmpty())
            continue;
        if (m_replyDelayMs > 0) {
            QTimer::singleShot(m_replyDelayMs, Qt::PreciseTimer, this,
                               [this, reply = outcome.reply] { sendReply(reply); });
            continue;
        }
        m_port->write(outcome.reply);
        writeLine(logline::answer(now, elapsed, outcome.reply));
    }
    followKeyer(now, elapsed);
    emit stateChanged();
}

void RadioSession::onKeyerDue()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const qint64 elapsed = m_clock.nsecsElapsed();
    m_radio.advanceClock(elapsed / 1000);
    followKeyer(now, elapsed);
    emit stateChanged();
}

void RadioSession::followKeyer(const QDateTime& now, qint64 elapsedNs)
{
    for (const Keyer::Run& run : m_radio.takeKeyedRuns()) {
        // Stamped with the moment the last character ended, which may be a
        // little before we noticed.
        const qint64 endNs = qMin(run.endUs * 1000, elapsedNs);
        writeLine(logline::keyed(now.addMSecs(-(elapsedNs - endNs) / 1'000'000), endNs, run.text,
                                 run.cut));
    }
    const Keyer& keyer = m_radio.keyer();
    if (!keyer.busy()) {
        m_keyerTimer.stop();
        return;
    }
    // Rounded up, so that the character has ended when the timer fires.
    const qint64 waitUs = keyer.characterEndUs() - elapsedNs / 1000;
    m_keyerTimer.start(int(qBound(qint64{0}, (waitUs + 999) / 1000, qint64{60'000})));
}

void RadioSession::sendReply(const QByteArray& reply)
{
    m_port->write(reply);
    writeLine(logline::answer(QDateTime::currentDateTimeUtc(), m_clock.nsecsElapsed(), reply));
}

void RadioSession::onTuningDone()
{
    m_radio.finishTuning();
    emit stateChanged();
}

} // namespace vradio
