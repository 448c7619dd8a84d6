#include "controls/keyersend.h"

#include <algorithm>
#include <chrono>

KeyerSend::KeyerSend(Send send, QObject* parent) : QObject(parent), m_send(std::move(send)) {}

void KeyerSend::start(const CwMessage& message)
{
    if (message.pieces.isEmpty())
        return;
    for (const CwPiece& piece : message.pieces) {
        m_pieces.append(piece);
        if (piece.command.kind() == CatCommand::Kind::KeyerText)
            ++m_result.texts;
    }
    if (m_running)
        return;
    m_running = true;
    // The radio may still key what it was handed before.
    waitUntil(m_radioFreeAtNs);
}

void KeyerSend::stop()
{
    if (!m_running)
        return;
    m_pieces.clear();
    m_result.stopped = true;
    finish();
}

void KeyerSend::cancel()
{
    m_running = false;
    m_pieces.clear();
    m_result = {};
    ++m_waitNumber;
    m_wait.reset();
}

void KeyerSend::goOn()
{
    while (!m_pieces.isEmpty()) {
        const CwPiece piece = m_pieces.takeFirst();
        if (!m_send(piece.command)) {
            m_pieces.clear();
            m_result.failed = true;
            finish();
            return;
        }
        if (piece.command.kind() != CatCommand::Kind::KeyerText)
            continue;
        ++m_result.textsSent;
        const qint64 now = Clock::current().nowNs();
        m_radioFreeAtNs = now + (piece.keyingMs + handOverMarginMs) * 1'000'000;
        emit progress(m_result.textsSent, m_result.texts);
        if (!m_running)
            return; // stopped or cancelled from a progress handler
        waitUntil(m_radioFreeAtNs);
        return;
    }
    finish();
}

void KeyerSend::waitUntil(qint64 deadlineNs)
{
    const qint64 left = deadlineNs - Clock::current().nowNs();
    if (left <= 0) {
        goOn();
        return;
    }
    // The alarm only hands over to the event loop: the next step sets the
    // next alarm, which must not destroy the one still ringing.
    const auto wait = std::chrono::milliseconds((left + 999'999) / 1'000'000);
    const int number = ++m_waitNumber;
    m_wait = Clock::current().alarmAfter(wait, this, [this, number, deadlineNs] {
        QMetaObject::invokeMethod(
            this,
            [this, number, deadlineNs] {
                if (number != m_waitNumber)
                    return; // stopped, cancelled or started again since
                // A timer may ring a little early: the wait is never shortened.
                waitUntil(deadlineNs);
            },
            Qt::QueuedConnection);
    });
}

void KeyerSend::speedChanged(int fromWpm, int toWpm)
{
    if (fromWpm <= 0 || toWpm <= 0 || fromWpm == toWpm)
        return;
    const qint64 now = Clock::current().nowNs();
    // A dot lasts 1200/wpm ms: what is left of the keying stretches or
    // shrinks by from/to. The character being keyed keeps the old speed, so
    // a faster speed is given one longest character at the old speed on top
    // (never more than the old speed needed); a slower one errs late.
    if (m_radioFreeAtNs > now) {
        const qint64 left = m_radioFreeAtNs - now;
        qint64 scaled = (left * fromWpm + toWpm - 1) / toWpm;
        if (toWpm > fromWpm) {
            const qint64 dots = Cw::longestCharacterDots();
            scaled = std::min(left, scaled + dots * 1'200'000'000 / fromWpm -
                                        dots * 1'200'000'000 / toWpm + 1);
        }
        m_radioFreeAtNs = now + scaled;
    }
    for (CwPiece& piece : m_pieces) {
        if (piece.command.kind() != CatCommand::Kind::KeyerText)
            break;
        piece.keyingMs = Cw::keyingMilliseconds(piece.command.keyedText(), toWpm);
    }
    if (m_running && m_wait)
        waitUntil(m_radioFreeAtNs);
}

qint64 KeyerSend::keyingLeftMs() const
{
    const qint64 left = m_radioFreeAtNs - Clock::current().nowNs();
    return left > 0 ? (left + 999'999) / 1'000'000 : 0;
}

void KeyerSend::finish()
{
    m_running = false;
    ++m_waitNumber;
    m_wait.reset();
    KeyerSendResult result = m_result;
    result.keyingLeftMs = keyingLeftMs();
    m_result = {};
    emit finished(result);
}
