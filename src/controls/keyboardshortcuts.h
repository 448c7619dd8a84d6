#pragma once

// Help > "Keyboard Shortcuts": every shortcut of the program in one table,
// a row per control (where it is, what it is, its keys), which a screen
// reader reads row by row. The rows come from the keyboard map's tables
// (controls/keymap.h) and the menus' items, as the opener gathers them, so
// the table cannot tell other keys than the ones bound.

#include "controls/keymap.h"

#include <QDialog>

struct ShortcutPlace {
    QString where; // "Main window", "Menus", "Station Controls"
    QList<KeyBinding> bindings;
};

class KeyboardShortcuts : public QDialog {
    Q_OBJECT

public:
    KeyboardShortcuts(const QList<ShortcutPlace>& places, QWidget* parent);
};
