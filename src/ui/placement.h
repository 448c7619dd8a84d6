#pragma once

// Where and how big the windows are: the fixed dialogs opened from the
// menus, centring on the screen, and scrolling where the screen is smaller
// than a window.

#include <QRect>
#include <QSize>

#include <optional>

class QDialog;
class QWidget;

// Fixed size, modal, centred, title and close button only.
void makeFixedDialog(QDialog* dialog, QSize clientSize);

// Puts a top-level window in the middle of the screen's available area.
void centreOnScreen(QWidget* window);

// The part of the window's screen that windows may use (less panels and
// docks). Tests put a smaller screen in its place, or nullopt to end that.
QRect availableScreenArea(const QWidget* window);
void setAvailableScreenAreaForTests(std::optional<QRect> area);

// A fixed window that, with its title bar and borders, would not fit the
// screen's available area when it is shown scrolls instead: its controls
// move, as designed and with their names and focus order, into a scroll area
// as large as the screen allows, so every one of them can be reached.
void scrollWhenLargerThanScreen(QWidget* window);
