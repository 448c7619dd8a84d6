#pragma once

// Runs an action that opens a modal window (a menu's window, the system
// reset's questions) from the event loop rather than from inside the key
// press that asked for it, while assistive technology is connected. Qt's
// AT-SPI bridge delivers a key press from within the reply of the
// accessibility bus; a modal window opened there keeps the bridge from
// answering the screen reader until it closes, so the window would not be
// read. Without assistive technology the action runs at once, as always.

#include <functional>

class QObject;

void runOutsideKeyDelivery(QObject* context, std::function<void()> action);
