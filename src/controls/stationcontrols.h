#pragma once

// "Station Controls": the controls the main window has no room for, in a
// second window beside it, one section per concern (controls/section.h,
// listed in controls/sectionlist.h). It is not modal and it is no borrower:
// it carries its steps out through the main window's StationContext, so its
// commands go through the main window's link and the operator uses the two
// windows together. A modal window over the program (a guide, the memory
// sheet) keeps it from acting, as it keeps the main window.
//
// quillard.conf remembers whether it was open and where it was
// ("StationControls/open", "StationControls/geometry"); the main window
// opens it again at start-up when it was open at the end.
//
// Data flow: the Frequencies menu or its shortcut -> showFor() -> the one window,
// made at its first opening as a child of the main window -> each section's
// build() -> controls -> Station::<action> -> StationContext::carryOut(step,
// this window). Opening it, and moving the keyboard through it, send nothing.

#include "controls/keymap.h"

#include <QWidget>

class StationContext;

class StationControls : public QWidget {
    Q_OBJECT

public:
    StationControls(StationContext& context, QWidget* mainWindow);
    ~StationControls() override;

    enum class Keyboard { Take, Leave };
    // Shows the main window's Station Controls where it was last, making it
    // first when there is none, and gives it the keyboard (or leaves it
    // where it is, as when it opens again at start-up).
    static StationControls* showFor(StationContext& context, QWidget* mainWindow,
                                    Keyboard keyboard = Keyboard::Take);
    // Whether it was open when the program last ended (or is open now).
    static bool rememberedOpen();

    // The keyboard map's rows of all its sections.
    static QList<KeyBinding> keys();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The first opening: right of the main window where the screen has room.
    void placeBeside(QWidget* mainWindow);
    void keepPlace();
};
