#pragma once

// The main window's menu bar. Every other window is opened from here, modally.
// Before a window that talks to the radio is created, the main window closes
// its own link so the new window can take the port; when that window has gone,
// the main window opens its link again. Windows that do not talk to the radio
// leave the link open.

class Form2;
class QDialog;
class QWidget;

void buildMenus(Form2* window);

// Shows a freshly created window modally and destroys it afterwards. For a
// radio window the main link is closed first and reopened afterwards.
enum class PortUse { TalksToRadio, LeavesPortAlone };
void showModally(Form2* window, QDialog* dialog, PortUse use);
