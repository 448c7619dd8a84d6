#pragma once

// One section of Station Controls: a titled group of controls for one
// concern (typing a frequency, split, RIT/XIT, 6 m ...). A section is one
// file that defines its Section and one line in controls/sectionlist.h.
//
// Data flow: the window makes a group box per section, named and titled
// from its Section, and calls build() with it and the program's one
// StationContext. The section lays its controls out in the box (each with an
// object name and an accessible name), makes its handlers ask the station
// engine and carry the step out through the context, from the window
// (context.carryOut(step, box->window())), and shows the station as last
// sent again on StationContext::stationChanged(), with the box as receiver.
// Its keys() are the keyboard map's rows for its controls (controls/keymap.h).

#include "controls/keymap.h"

#include <QList>

class QGroupBox;
class StationContext;

struct Section {
    const char* name;  // the group box's object name: "SplitSection"
    const char* title; // its caption and accessible name: "Split"
    void (*build)(QGroupBox* box, StationContext& context);
    QList<KeyBinding> (*keys)();
};
