#pragma once

// A TS-570 on a pseudo-terminal, enough of one for a rig-control daemon
// (rigctld, flrig) to open it and poll it: it answers the queries such a
// daemon sends (a command name and ";") from a table, as the radio would,
// and keeps every byte that arrives. Quillard's own commands are the texts
// followed by a carriage return; the daemon's queries have none.

#include "radio/pseudoterminal.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QStringList>

#include <functional>
#include <memory>

class Ts570StandIn {
public:
    Ts570StandIn();

    QString devicePath() const { return m_pty.devicePath(); }
    // Every byte that arrived since the last forget().
    const QByteArray& arrived();
    // The same, read without running the event loop (while a test blocks the
    // thread as a cue does).
    const QByteArray& arrivedMeanwhile();
    // Blocks (in poll, not spinning) until what has arrived ends with ending,
    // or milliseconds have passed; whether it came. The event loop does not run.
    bool waitMeanwhile(const QByteArray& ending, int milliseconds);
    // The same, until part has arrived anywhere since the last forget(): a
    // daemon's own query may follow it before the wait looks.
    bool waitContaining(const QByteArray& part, int milliseconds);
    // The same, until done() holds; it is asked whenever bytes arrive.
    bool waitUntil(const std::function<bool()>& done, int milliseconds);
    // The commands that arrived with a carriage return, in order, each as one
    // unbroken text (a query slipped into one would show as a broken text).
    QStringList framedCommands();
    // Queries answered so far.
    int queriesAnswered() const { return m_queries; }
    void forget();
    // A radio that stops answering (switched off).
    void setSilent(bool silent) { m_silent = silent; }

private:
    void take();

    PseudoTerminal m_pty{PseudoTerminal::Reading::WhenAsked};
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_arrived;
    QByteArray m_query;
    int m_queries = 0;
    bool m_silent = false;
};
