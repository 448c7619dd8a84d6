#pragma once

// One press of "Write to radio" over the whole sheet, channels 00 to 99.
//
// Data flow: for each channel in ascending order the run reads the channel's
// texts as they stand now (the operator may type during the write), lets
// planChannelWrite() choose the mode digit and the command, tells the window
// which channel is going out and how many filled channels follow, sends the
// command and waits 0.2 s with the event loop running. Stop (pressed during
// such a wait) ends the run once the command in flight has had its pause, so
// the radio is never handed a command closer than 0.2 s after the last one.
// The result says what was written, what was skipped and what was not reached.
//
// The run lives on the stack of the click that started it: a window that
// goes during a wait says so through carryOn(), and the run then touches
// nothing of the window again.

#include "memory/memoryfile.h"
#include "radio/catcommand.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>

struct SheetWriteResult {
    QList<int> written;
    QList<int> withoutMode;    // filled, but no mode word yet
    QList<int> withUnsafeText; // a character the command cannot carry
    QList<int> notReached;     // filled channels after a stop or a failed send
    int failedAt = -1;         // the channel whose command could not be sent
    bool stopped = false;
    bool abandoned = false; // the window went during the write
};

class SheetWrite {
public:
    using ModeCodes = std::array<QString, MemorySheetChannels>;
    struct Hooks {
        std::function<MemoryRecord(int channel)> texts;
        std::function<bool(const CatCommand&)> send;
        std::function<void(int channel, int filledAfter)> progress;
        std::function<bool()> carryOn;
    };

    SheetWriteResult run(const Hooks& hooks, ModeCodes& modeCodes);
    void stop() { m_stopAsked = true; }

private:
    bool m_stopAsked = false;
};

// The one box after a write: skipped channels, then a stop or a failure.
// Empty when every filled channel went out.
QString sheetWriteMessage(const SheetWriteResult& result);
