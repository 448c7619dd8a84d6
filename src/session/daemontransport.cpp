#include "session/daemontransport.h"

#include "platform/platform.h"
#include "radio/flriglink.h"
#include "radio/rigctldlink.h"

bool carriesRoute(const RadioLink& link, const PortRoute& route)
{
    switch (route.via) {
    case PortRoute::Via::Rigctld:
        return qobject_cast<const RigctldLink*>(&link) != nullptr;
    case PortRoute::Via::Flrig:
        return qobject_cast<const FlrigLink*>(&link) != nullptr;
    case PortRoute::Via::Serial:
        break;
    }
    return qobject_cast<const SerialLink*>(&link) != nullptr;
}

std::unique_ptr<DaemonLink> makeDaemonLink(const PortRoute& route)
{
    switch (route.via) {
    case PortRoute::Via::Rigctld:
        return std::make_unique<RigctldLink>();
    case PortRoute::Via::Flrig:
        return std::make_unique<FlrigLink>();
    case PortRoute::Via::Serial:
        break;
    }
    return nullptr;
}

DaemonSettings daemonSettingsFor(const PortRoute& route, const LinkSettings& port)
{
    DaemonSettings settings;
    settings.port = port.port;
    settings.host = route.host;
    settings.tcpPort = route.tcpPort ? route.tcpPort : PortRoute::defaultTcpPort(route.via);
    settings.device = port.device.isEmpty() ? QString() : Platform::serialDeviceBehind(port.device);
    settings.baud = port.baud;
    return settings;
}
