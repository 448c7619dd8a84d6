#pragma once

// The main window's way to send: the main link, opened first when a command
// finds it closed (the port owner decides whether it may: not while the port
// is lent out). Some window systems never activate the main window, so its
// first command must be able to open the port.
//
// Data flow: handler -> OnDemandLink::sendCommand -> [PortOwner::activate when
// closed] -> the main link. Everything else passes straight through.

#include "radio/radiolink.h"

class PortOwner;

class OnDemandLink : public RadioLink {
    Q_OBJECT

public:
    OnDemandLink(RadioLink& link, PortOwner& owner);

    bool isOpen() const override;
    bool open() override;
    bool sendCommand(const CatCommand& command) override;
    void drainInput() override;
    qint64 inBufferCount() const override;
    void closeLink() override;
    void flush() override;
    QString portDescription() const override;

private:
    RadioLink& m_link;
    PortOwner& m_owner;
};
