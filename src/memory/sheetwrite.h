#pragma once

// "Write to radio" over the whole sheet, channels 00 to 99, as an object that
// lives as long as the memory window and runs on the clock: no handler waits.
//
// Data flow: start() goes through the channels in ascending order, reading
// each channel's texts as they stand then (the operator may type during the
// write), and lets planChannelWrite() choose the mode digit and the command.
// For a command it says which channel is going out and how many filled
// channels follow (progress), sends it and sets a Clock alarm 0.2 s on; the
// alarm goes on with the next channel, and between alarms the event loop is
// free. Stop (pressed during such a pause) ends the write once the command in
// flight has had its pause, so the radio is never handed a command closer than
// 0.2 s after the last one. finished() says what was written, what was skipped
// and what was not reached. cancel() (the window going) ends a write at once
// and says nothing. The mode digit chosen for each channel is kept here for as
// long as the window lives (see memorywriter.h).

#include "clock/clock.h"
#include "memory/memoryfile.h"
#include "radio/catcommand.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>

struct SheetWriteResult {
    QList<int> written;
    QList<int> withoutMode;    // filled, but no mode word yet
    QList<int> withUnsafeText; // a character the command cannot carry
    QList<int> notReached;     // filled channels after a stop or a failed send
    int failedAt = -1;         // the channel whose command could not be sent
    bool stopped = false;
};

class SheetWrite : public QObject {
    Q_OBJECT

public:
    // What the write reads and where it sends, given by the window.
    struct Hooks {
        std::function<MemoryRecord(int channel)> texts;
        std::function<bool(const CatCommand&)> send;
    };

    explicit SheetWrite(Hooks hooks, QObject* parent = nullptr);

    // Begins a write (nothing while one runs). A write with nothing to send,
    // or whose first command cannot be sent, has finished when this returns.
    void start();
    // Ends the write after the pause of the command in flight.
    void stop();
    // Ends the write now, without finished(): its window is going.
    void cancel();
    bool running() const { return m_running; }

    // The mode digit the last write chose for the channel, or empty.
    QString modeCode(int channel) const { return m_modeCodes.at(channel); }

signals:
    // A channel's command is about to be sent; filledAfter filled channels follow it.
    void progress(int channel, int filledAfter);
    void finished(const SheetWriteResult& result);

private:
    void goOn();
    void pauseAfterCommand();
    void finish();
    QList<int> filledFrom(int first) const;

    Hooks m_hooks;
    std::array<QString, MemorySheetChannels> m_modeCodes;
    SheetWriteResult m_result;
    int m_channel = 0; // the next channel to look at
    bool m_running = false;
    bool m_stopAsked = false;
    qint64 m_pauseEndsNs = 0;
    int m_pauseNumber = 0; // which pause a ringing alarm belongs to
    std::unique_ptr<Clock::Alarm> m_pause;
};

// The one box after a write: skipped channels, then a stop or a failure.
// Empty when every filled channel went out.
QString sheetWriteMessage(const SheetWriteResult& result);
