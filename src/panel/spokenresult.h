#pragma once

// What the panel says it did, in words a screen reader speaks right after
// the key: made from the commands the action sent, never from the radio,
// which is never asked. "FR0;" "FA00014000000;" is "20 metres, VFO A,
// 14.000 MHz"; "NB1;" is "Noise blanker on"; "FR2;" "MC 05;" is "Memory 05
// recalled"; "PS0;" is "Radio switched off".
//
// SentRecord keeps the last of each kind of command sent (receiver,
// frequencies, mode, switches) for the front panel picture to tell.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The words for the commands one action sent, in order; empty if none.
QString spokenResult(const QList<QByteArray>& sent);

// A switch command's setting as on (true) or off (false), for the switches
// that have one: "NB1;" is on, "RA00;" off, "NR2;" on (the second level).
// Other commands give no answer.
std::optional<bool> switchSetting(const QByteArray& command);

class SentRecord {
public:
    void add(const QByteArray& command);
    // "Last sent: receiver VFO A, VFO A 14.000 MHz, USB, noise blanker off", or "Nothing
    // sent yet".
    QString summary() const;
    // The receiver and its frequency: "last sent: VFO A, 14.000 MHz", or empty.
    QString brief() const;

private:
    QString m_receiver;              // "VFO A", "VFO B", "memory 05"
    QMap<char, QString> m_frequency; // 'A', 'B': "14.000 MHz"
    QString m_mode;
    QMap<QByteArray, QString> m_switches; // by command letters, in the panel's words
};
