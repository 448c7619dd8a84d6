#pragma once

// The keyer's sender: hands a CW message's pieces (station/cwmessage.h) to
// the radio one at a time, paced on the clock, as an object that lives as
// long as its window: no handler waits.
//
// Data flow: start(message) -> send(piece) through the window's hook -> a
// KS goes on with the next piece at once; after a KY text a Clock alarm rings
// when the radio has keyed it, and the next piece goes. progress() after each
// text; finished() once the radio has keyed the last one, or at once on
// stop() or a failed send.
//
// The radio's buffer is assumed to hold one text, so no text is handed over
// before the radio has keyed the one before, across messages too: a message
// started while the radio still keys (after a Stop, or one queued behind
// another) waits for it. Each text also waits handOverMarginMs beyond that:
// the link, and a daemon between, may hold a text back a little (some 50 ms
// through rigctld with another program polling it), which would bring the
// next one too close behind it; the cut falls in a word gap, where the extra
// pause is least heard. stop() sends no further text and cannot take back
// what the radio holds, which it keys to the end. cancel() (the window
// going) ends at once and says nothing.

#include "clock/clock.h"
#include "station/cwmessage.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

struct KeyerSendResult {
    int textsSent = 0;
    int texts = 0;
    bool stopped = false;
    bool failed = false; // a piece could not be handed to the radio
    // How long the radio still keys what it holds, from when finished() is emitted.
    qint64 keyingLeftMs = 0;
};

class KeyerSend : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 handOverMarginMs = 100;

    // Hands one command to the radio; false when it could not.
    using Send = std::function<bool(const CatCommand&)>;

    explicit KeyerSend(Send send, QObject* parent = nullptr);

    // Sends the message's pieces; while a message is being sent, its pieces
    // follow that message's.
    void start(const CwMessage& message);
    // No further piece; the radio keys what it holds.
    void stop();
    // Ends now, without finished(): the window is going.
    void cancel();
    bool running() const { return m_running; }
    // The speed control sent KS while the radio keys: what it holds and the
    // texts still to come take the time of the new speed (up to the next KS
    // of a {SPEED+} or {SPEED-}).
    void speedChanged(int fromWpm, int toWpm);

signals:
    // A text has been handed over: sent of texts so far.
    void progress(int sent, int texts);
    void finished(const KeyerSendResult& result);

private:
    void goOn();
    void waitUntil(qint64 deadlineNs);
    void finish();
    qint64 keyingLeftMs() const;

    Send m_send;
    QList<CwPiece> m_pieces;
    KeyerSendResult m_result;
    bool m_running = false;
    qint64 m_radioFreeAtNs = 0; // when the radio will have keyed all it was handed
    int m_waitNumber = 0;       // which wait a ringing alarm belongs to
    std::unique_ptr<Clock::Alarm> m_wait;
};
