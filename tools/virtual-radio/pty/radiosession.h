#pragma once

#include "../core/commandframer.h"
#include "../core/ts570.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdio>

namespace vradio {

class VirtualPort;

// Joins the port, the framer and the radio: every command that arrives is
// executed, answered on the port when the radio answers, and reported as one
// line on the output stream. The radio's clock is the program's: it is moved
// on before each read's commands and whenever a keyed character ends, so the
// keyer's buffer empties in real time and its runs and overflows are logged.
class RadioSession : public QObject {
    Q_OBJECT
public:
    // The clock is the program's: <ms> in the output counts from its start.
    // Answers go out at once, or replyDelayMs later (for tests of slow
    // radios), in the order they were given.
    RadioSession(VirtualPort* port, const QElapsedTimer& clock, std::FILE* output,
                 Model model = Model::S, int replyDelayMs = 0, QObject* parent = nullptr);

    const RadioState& state() const { return m_radio.state(); }
    const Keyer& keyer() const { return m_radio.keyer(); }

    void writeLine(const QByteArray& line);

    // How long the automatic tuner takes after "AC 11;".
    static constexpr int TuningMilliseconds = 2000;

signals:
    // One output line without its newline, for the front panel's log.
    void lineWritten(const QByteArray& line);
    void stateChanged();

private:
    void onReceived(const QByteArray& bytes);
    void onTuningDone();
    void onKeyerDue();
    void sendReply(const QByteArray& reply);
    // Logs the keying runs that ended and waits for the next character's end.
    void followKeyer(const QDateTime& now, qint64 elapsedNs);

    VirtualPort* m_port;
    QElapsedTimer m_clock;
    std::FILE* m_output;
    CommandFramer m_framer;
    Ts570 m_radio;
    int m_replyDelayMs;
    QTimer m_tuningTimer;
    QTimer m_keyerTimer;
};

} // namespace vradio
