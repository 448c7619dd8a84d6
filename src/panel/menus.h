#pragma once

// The main window's menu bar. Every other window is opened from here, modally,
// and destroyed when it closes. A window that talks to the radio is created
// with the port lent to it: the main window's link closes before the window
// loads, and when the window has gone the main window's activation opens its
// link again. Windows that do not talk to the radio leave the link open.

class Form2;

void buildMenus(Form2* window);
