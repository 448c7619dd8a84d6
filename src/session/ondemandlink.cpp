#include "session/ondemandlink.h"

#include "session/portowner.h"

OnDemandLink::OnDemandLink(RadioLink& link, PortOwner& owner) : m_link(link), m_owner(owner)
{
    connect(&m_link, &RadioLink::commEvent, this, &RadioLink::commEvent);
    connect(&m_link, &RadioLink::problem, this, &RadioLink::problem);
}

bool OnDemandLink::isOpen() const
{
    return m_link.isOpen();
}

bool OnDemandLink::open()
{
    return m_link.open();
}

bool OnDemandLink::sendCommand(const CatCommand& command)
{
    // A command the radio does not take is refused as it is, without opening.
    if (command.isValid() && !m_link.isOpen())
        m_owner.activate();
    return m_link.sendCommand(command);
}

void OnDemandLink::drainInput()
{
    m_link.drainInput();
}

qint64 OnDemandLink::inBufferCount() const
{
    return m_link.inBufferCount();
}

void OnDemandLink::closeLink()
{
    m_link.closeLink();
}

void OnDemandLink::flush()
{
    m_link.flush();
}

QString OnDemandLink::portDescription() const
{
    return m_link.portDescription();
}
