#pragma once

// Safe keyboard navigation: while it is on, a selection button that receives
// the keyboard focus only takes it, and Space or Return makes it act; arrows
// move between the selection buttons without acting. A screen-reader user
// explores the panel with Tab, and must be able to pass "Off" without
// switching the radio off.
//
// It is on while a screen reader runs (main.cpp hands on what the platform's
// watch, Platform::watchScreenReader, says), or while the operator
// has turned it on with the Help menu's checkable item; that choice is kept
// in the program's settings (session/programsettings.h). With neither, focus
// selects as it always has.

#include <QObject>

class QMenu;

class SafeNavigation : public QObject {
    Q_OBJECT

public:
    // The program's one instance, made on first use.
    static SafeNavigation& instance();

    bool active() const { return m_screenReader || m_chosen; }
    bool screenReaderRunning() const { return m_screenReader; }
    bool chosen() const { return m_chosen; }

    // The operator's choice, saved at once.
    void choose(bool on);
    // Whether a screen reader runs, as the platform tells it; also how tests
    // stand in for a screen reader.
    void setScreenReaderRunning(bool running);

    // Adds the checkable item "Safe Keyboard Navigation" (SafeKeys) to a menu.
    void addMenuItem(QMenu* menu);

signals:
    void changed(bool active);

private:
    SafeNavigation();
    void update(bool screenReader, bool chosen);

    bool m_screenReader = false;
    bool m_chosen = false;
};
