#pragma once

// The radio through flrig, which owns the serial port and serves programs by
// XML-RPC over HTTP. A handler's commands go together in one call of
// rig.cat_priority, which flrig writes to the radio under its serial lock,
// between its own polls, and answers "OK" without reading anything back.
//
// The string is sent as hexadecimal ("x46x52x30x3Bx0D"): flrig reads any
// string with an "x" in it as hexadecimal, and an operator's text could hold
// one; hexadecimal also keeps the carriage returns out of the XML parser's
// reach and needs no escaping. flrig answers one call at a time on a
// connection (it drops a second request that arrives before its answer), so
// commands sent meanwhile wait and go in the next call.

#include "radio/daemonlink.h"

class FlrigLink : public DaemonLink {
    Q_OBJECT

public:
    static constexpr quint16 DefaultPort = 12345;

    explicit FlrigLink(QObject* parent = nullptr);

protected:
    QString daemonName() const override;
    QString startAdvice() const override;
    bool gathersCommands() const override { return true; }
    void writeQueued() override;
    void readReplies() override;
    void resetReplies() override;

private:
    void takeResponse(const QByteArray& head, const QByteArray& body);

    QByteArray m_response;
};
