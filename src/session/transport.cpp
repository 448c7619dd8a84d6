#include "session/transport.h"

#include "platform/platform.h"
#include "radio/seriallink.h"
#include "session/daemontransport.h"
#include "session/portlink.h"
#include "session/portroute.h"
#include "session/settings.h"

namespace {
// The port as the operator knows it, and a damaged text only by a short excerpt.
LinkSettings portFrom(const SerialChoice& choice)
{
    LinkSettings port;
    port.port = choice.port;
    port.baud = choice.baud.value_or(0);
    port.unreadablePort = choice.unreadablePort;
    if (choice.port > 0) {
        port.device = Platform::serialDevicePath(choice.port);
        port.relinkAdvice = Platform::serialRelinkAdvice(choice.port);
    }
    return port;
}
} // namespace

void configureTransport(PortLink& link, const SettingsRead& read)
{
    LinkSettings port = portFrom(read.choice);
    // comN.conf says how the port reaches the radio; without it, over the
    // serial port with RTS/CTS, as always.
    const PortRoute route = port.port > 0 ? readPortRoute(portRoutePath(port.port)) : PortRoute{};
    link.setSettings(port);
    if (read.ok() && route.problem.isEmpty() && route.throughDaemon()) {
        auto* daemon = qobject_cast<DaemonLink*>(&link.transport());
        if (!daemon || !carriesRoute(*daemon, route)) {
            auto made = makeDaemonLink(route);
            daemon = made.get();
            link.setTransport(std::move(made));
        }
        daemon->configure(daemonSettingsFor(route, port));
        return;
    }
    port.hardwareHandshake = route.hardwareHandshake;
    auto* serial = qobject_cast<SerialLink*>(&link.transport());
    if (!serial) {
        auto made = std::make_unique<SerialLink>();
        serial = made.get();
        link.setTransport(std::move(made));
    }
    if (!read.ok())
        serial->configureUnusable(port, read.fault);
    else if (!route.problem.isEmpty())
        serial->configureUnusable(port, route.problem);
    else
        serial->configure(port);
}
