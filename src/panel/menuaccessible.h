#pragma once

// Menu items as a screen reader should hear them: their caption without the
// access-key marker, then their shortcut ("Exit Ctrl+X"). Qt hands AT-SPI a
// shortcut alone, which Orca takes for an access key and keeps quiet about;
// given as the accelerator part ("<access key>;<path>;<accelerator>") it is
// spoken. Menus carry their title as their accessible name, and say it when
// they open ("File menu"), which Qt's popups do not do by themselves.

class QMenu;
class QWidget;

// Makes every menu item of the program speak as above.
void installMenuItemAccessibility();
// Names the menu after its title and has it say so each time it opens; the
// words go out from the given window.
void announceMenuTitle(QMenu* menu, QWidget* window);
