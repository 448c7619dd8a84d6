#pragma once

// What the panel's control handlers work with: the panel's variables, what
// the main window sends through (its link, opened on demand), and the window
// to ask questions over. Handlers send their commands in order through
// SendCommand() and then play their cue through PlayCue(); they never see the
// window's widgets.

#include "panel/panelstate.h"
#include "radio/radiolink.h"

class QWidget;

struct PanelContext {
    PanelState& state;
    RadioLink& link;
    QWidget* window;

    // Writes one command to the main window's link; the link reports its own faults.
    void SendCommand(const CatCommand& command) const { link.sendCommand(command); }
};
