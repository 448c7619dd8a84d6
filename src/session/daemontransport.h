#pragma once

// The pieces the session uses to put a daemon's link in a window's place
// when a port's comN.conf says the port reaches the radio through rigctld or
// flrig (see portroute.h): which link class carries a route, a new one, and
// its settings from the route and the port's own.

#include "radio/daemonlink.h"
#include "radio/seriallink.h"
#include "session/portroute.h"

#include <memory>

// Whether link is the kind of daemon link the route names.
bool carriesRoute(const RadioLink& link, const PortRoute& route);
// A new link for a route through a daemon; nullptr for the serial port.
std::unique_ptr<DaemonLink> makeDaemonLink(const PortRoute& route);
// Where the daemon listens, and the port's device and rate for the advice
// on starting one.
DaemonSettings daemonSettingsFor(const PortRoute& route, const LinkSettings& port);
