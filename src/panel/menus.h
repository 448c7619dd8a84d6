#pragma once

// The main window's menu bar. Every other window is opened from here, modally,
// and destroyed when it closes. A window that talks to the radio is created
// with the port lent to it: the main window's link closes before the window
// loads, and when the window has gone the main window's activation opens its
// link again. Windows that do not talk to the radio leave the link open.

// "Tune to Frequency..." and "Station Controls" lend nothing: they carry
// their steps out through the main window's station context.

// The menus know the main window only as a window with a menu bar, the port
// it lends and its station context: the main window builds them, not the
// other way round.

class PortOwner;
class QMainWindow;
class StationContext;

void buildMenus(QMainWindow* window, PortOwner& port, StationContext& context);
