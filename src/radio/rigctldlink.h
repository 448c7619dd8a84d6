#pragma once

// The radio through Hamlib's rigctld (the "Hamlib NET rigctl" that WSJT-X,
// fldigi and loggers use), which owns the serial port and serves every
// program under one lock, so a command never interleaves with another
// client's.
//
// Each command goes out at once as one line of rigctld's raw command,
//   +\send_cmd_rx \0x4D\0x43\0x20\0x30\0x35\0x3B\0x0D 0
// the framed command in hexadecimal (so its blanks and carriage return
// survive) with a reply length of 0: rigctld writes exactly those bytes to
// the radio and reads nothing back. rigctld takes one client's lines one
// after another, so the next command does not wait; each line's answer ends
// in "RPRT <n>" and answers the oldest command still waiting.

#include "radio/daemonlink.h"

class RigctldLink : public DaemonLink {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 4532;

    explicit RigctldLink(QObject* parent = nullptr);

protected:
    QString daemonName() const override;
    QString startAdvice() const override;
    bool gathersCommands() const override { return false; }
    void writeQueued() override;
    void readReplies() override;
    void resetReplies() override;

private:
    QByteArray m_partialLine;
};
