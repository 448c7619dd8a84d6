#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace vradio {

// Cuts the byte stream from the serial line into commands: everything up to
// and including ";". Carriage returns and line feeds between commands are
// dropped (senders frame each command with one); inside a command they stay
// and make it malformed.
class CommandFramer {
public:
    // Longest text kept while waiting for ";". The longest TS-570 command is
    // KY with its 24 characters, 28 bytes; a sender that never terminates
    // must not grow us without end, so a run this long is handed on as one
    // (malformed) command.
    static constexpr qsizetype MaxPending = 128;

    QList<QByteArray> feed(QByteArrayView bytes);

    bool hasPending() const { return !m_pending.isEmpty(); }

private:
    QByteArray m_pending;
};

} // namespace vradio
