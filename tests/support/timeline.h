#pragma once

// One timeline of everything Quillard does to the outside world: the bytes
// that reach a radio at the far end of a real pseudo-terminal, and the cues it
// plays. The pseudo-terminal is linked as <settings dir>/com1 and qd.cfg is
// written for port 1, so any window that opens its link talks to it.
//
// Each command shows up as its text (the carriage return that ends it is
// taken off; anything else, such as a line feed, stays and fails the
// comparison); a cue shows up as "cue:<file>". Bytes are read when they
// arrive and again just before each cue, so the order is the order on the
// wire. Times are read from the clock the waits use: with a TestClock in
// place they are that clock's, to the nanosecond.

#include "radio/pseudoterminal.h"

#include <QList>
#include <QString>
#include <QStringList>

class Timeline {
public:
    struct Event {
        QString what;
        double ms; // since the timeline started
    };

    // Writes qd.cfg with port 1 and the given baud rate unless baud is empty.
    explicit Timeline(const QString& baud = QStringLiteral("9600"));
    ~Timeline();

    // Everything so far, after letting queued bytes reach the far end.
    QStringList events();
    QList<Event> timedEvents();
    // Forgets what was recorded so far.
    void clear();
    // Bytes exactly as they arrived, since the last clear().
    QByteArray rawBytes();

    QString devicePath() const { return m_radio.devicePath(); }
    QString linkPath() const { return m_linkPath; }
    int masterFd() const { return m_radio.masterFd(); }
    // Sends bytes from the radio's side.
    void radioSends(const QByteArray& bytes) { m_radio.radioSends(bytes); }
    // The far end goes away, as a pulled cable would.
    void hangUp();

private:
    void collect();
    double nowMs() const;

    PseudoTerminal m_radio;
    QString m_linkPath;
    qint64 m_startNs = 0;
    QList<Event> m_events;
};
