#pragma once

// Where the session decides how a port reaches the radio. Every window's
// PortLink is configured here, by the port owner and its leases, from the
// settings file just read and the port's comN.conf (portroute.h): the serial
// port, or rigctld or flrig at a host and TCP port.
//
// A new transport (a RadioLink in radio/) is plugged in by extending
// configureTransport(): read what the port's settings name, put a link of that
// kind in the PortLink when it holds another kind (setTransport), and
// configure it. A link that already carries the kind chosen is configured in
// place, so it keeps what it has learnt (a failure it has reported is not
// reported again at the next activation).

class PortLink;
struct SettingsRead;

// Configures the link for the port the settings name. Settings the port
// cannot use still configure it, so that every command refused says why.
void configureTransport(PortLink& link, const SettingsRead& read);
