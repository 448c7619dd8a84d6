#pragma once

// A radio at the far end of a real pseudo-terminal. Quillard opens the slave
// side (devicePath()) as its serial device; whatever it writes arrives at the
// master side here, where it is read as soon as it arrives and split into
// commands at each carriage return. Needs Qt Core only, so the radio layer's
// tests can use it without any window.

#include "pty/rawpty.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <functional>
#include <memory>

class PseudoTerminal {
public:
    // A radio that takes every byte as it arrives, or one that takes bytes
    // only when readAvailable() is called (a radio holding CTS off meanwhile).
    enum class Reading { OnArrival, WhenAsked };

    explicit PseudoTerminal(Reading reading = Reading::OnArrival);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    QString devicePath() const { return m_slavePath; }
    int masterFd() const { return m_pty.master(); }

    // Called with each command's text (the carriage return that ends it taken
    // off) in the order of arrival.
    void onCommand(std::function<void(const QByteArray& text)> handler);
    // Reads whatever has arrived by now.
    void readAvailable();
    // Bytes exactly as they arrived, and what followed the last carriage return.
    const QByteArray& raw() const { return m_raw; }
    const QByteArray& unterminated() const { return m_partial; }
    void forget();

    // Sends bytes from the radio's side.
    void radioSends(const QByteArray& bytes);
    // Takes what has arrived, then fills the line towards the radio until it
    // takes no more, as a radio that holds CTS off does: bytes written to the
    // device then wait in its sender. The filler is never reported as arrived.
    void fillTowardsRadio();
    // The far end goes away, as a pulled cable would.
    void hangUp();

private:
    RawPty m_pty;
    QString m_slavePath;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(const QByteArray&)> m_onCommand;
    QByteArray m_partial;
    QByteArray m_raw;
    qint64 m_fillerLeft = 0; // bytes of fillTowardsRadio() not yet read
};
