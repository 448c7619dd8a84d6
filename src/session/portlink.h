#pragma once

// A window's link to the radio as the session hands it out: one RadioLink the
// window keeps for its whole life, carrying whichever transport the port's
// settings name (configureTransport, session/transport.h). Until it is first
// configured it holds a serial link for no port, which refuses every command
// and says so.
//
// Data flow: window -> PortLink -> its transport -> the radio; the
// transport's commEvent() and problem() come out of the PortLink as they are
// raised, so a window connects once, whatever transport comes later.

#include "radio/radiolink.h"
#include "radio/seriallink.h"

#include <memory>

class PortLink : public RadioLink {
    Q_OBJECT

public:
    explicit PortLink(QObject* parent = nullptr);
    ~PortLink() override;

    bool isOpen() const override;
    bool open() override;
    bool sendCommand(const CatCommand& command) override;
    void drainInput() override;
    qint64 inBufferCount() const override;
    void closeLink() override;
    void flush() override;
    QString portDescription() const override;

    // The port this link was last configured for.
    const LinkSettings& settings() const { return m_settings; }
    void setSettings(const LinkSettings& settings) { m_settings = settings; }

    // The transport in use, and a new one in its place (the old one lets go
    // of its port as it goes).
    RadioLink& transport() { return *m_transport; }
    void setTransport(std::unique_ptr<RadioLink> transport);

private:
    std::unique_ptr<RadioLink> m_transport;
    LinkSettings m_settings;
};
