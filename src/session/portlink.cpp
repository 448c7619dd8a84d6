#include "session/portlink.h"

PortLink::PortLink(QObject* parent) : RadioLink(parent)
{
    setTransport(std::make_unique<SerialLink>());
}

PortLink::~PortLink() = default;

void PortLink::setTransport(std::unique_ptr<RadioLink> transport)
{
    m_transport = std::move(transport);
    connect(m_transport.get(), &RadioLink::commEvent, this, &RadioLink::commEvent);
    connect(m_transport.get(), &RadioLink::problem, this, &RadioLink::problem);
}

bool PortLink::isOpen() const
{
    return m_transport->isOpen();
}

bool PortLink::open()
{
    return m_transport->open();
}

bool PortLink::sendCommand(const CatCommand& command)
{
    return m_transport->sendCommand(command);
}

void PortLink::drainInput()
{
    m_transport->drainInput();
}

qint64 PortLink::inBufferCount() const
{
    return m_transport->inBufferCount();
}

void PortLink::closeLink()
{
    m_transport->closeLink();
}

void PortLink::flush()
{
    m_transport->flush();
}

QString PortLink::portDescription() const
{
    return m_transport->portDescription();
}
