#pragma once

// A window's way to the radio, whatever carries the bytes: the serial port,
// or a daemon that owns the port and shares it between programs. Windows and
// the port owner talk to this interface only; each transport implements it.
//
// Data flow: a handler calls sendCommand(), which hands the framed command
// (its text and one carriage return) towards the radio at once, in the order
// sent, so a cue that blocks the event loop afterwards cannot hold it back.
// When everything handed over has left, the link raises commEvent(); windows
// that listen drain and discard what the radio sent.
//
// Faults never throw and never block the event loop: the link raises
// problem() once per burst, after the current handler, with one message that
// names the port and the reason. The owning window shows it. A link never
// opens itself behind its owner's back: a send on a closed link is refused
// (and reported), and whoever owns the link decides when to open it.

#include "radio/catcommand.h"

#include <QObject>
#include <QString>

class RadioLink : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~RadioLink() override = default;

    virtual bool isOpen() const = 0;
    // Opens the configured way to the radio. Returns whether it is open
    // afterwards; a failure is reported through problem().
    virtual bool open() = 0;
    // Hands one framed command towards the radio. Returns false, and reports
    // it, when the command could not be handed over.
    virtual bool sendCommand(const CatCommand& command) = 0;
    // Reads and discards whatever the radio has sent.
    virtual void drainInput() = 0;
    // Bytes from the radio waiting to be read.
    virtual qint64 inBufferCount() const = 0;
    // Lets go of the way to the radio; commands still queued are dropped.
    virtual void closeLink() = 0;
    // Pushes queued bytes out now, as far as the other end takes them. A
    // window calls it before it plays a cue, which holds the thread: the
    // commands a link still gathers (flrig's) leave before the cue.
    virtual void flush() = 0;
    // "Serial port 2 (/dev/ttyS1)", for messages.
    virtual QString portDescription() const = 0;

signals:
    // Everything handed over has left (the OnComm notification).
    void commEvent();
    // Something went wrong that the operator must learn; one message per burst.
    void problem(const QString& message);
};
