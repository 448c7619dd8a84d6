#pragma once

// The keyboard map: a shortcut for every control of the main window and of
// Station Controls, as data. Each window's part is a table of bindings (the
// main window's in panel/panelkeys.h, each Station Controls section's beside
// its controls); the Help menu's "Keyboard Shortcuts" lists them all in one
// table, and the menus take their items' shortcuts from it.
//
// A shortcut acts as a click on its control does, never more: a button is
// clicked, a check box toggled, a selection button of the panel marked (and
// so it acts), the picture clicked; a field or a list is given the keyboard.
// It works while its window is the active one, and not while a modal window
// is open over it.
//
// Keys that are someone else's are never bound: the menus' access keys
// (Alt+F) and a screen reader's own (Orca's Insert and Caps Lock modifiers,
// the number pad of its desktop layout). Sequences of several keys ("Ctrl+R,
// 0, 5") serve where there are many controls of one kind.

#include <QKeySequence>
#include <QList>
#include <QString>

class QWidget;

struct KeyBinding {
    QString control; // its object name in its window (a menu item's, for the menus)
    QString what;    // what the table calls it: "20m", "Split on or off"
    QString keys;    // portable text: "Ctrl+1", "Ctrl+R, 0, 5"

    QKeySequence sequence() const { return QKeySequence(keys, QKeySequence::PortableText); }
};

// The keys of these bindings for the window's controls. A control the window
// does not have, or that is hidden or disabled when its key is pressed, does
// nothing.
void bindKeys(QWidget* window, const QList<KeyBinding>& bindings);

// Makes the control act as its shortcut does (for tests and the bindings).
void actAsShortcut(QWidget* control);

// Whether a key belongs to something other than Quillard's controls (see above).
bool reservedKey(const QKeySequence& keys);

// The keys as the operator reads them ("Ctrl+R, 0, 5").
QString keysText(const KeyBinding& binding);
