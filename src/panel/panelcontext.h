#pragma once

// What the panel's control handlers work with: the station as last sent, the
// main window's link (opened on demand) and the window to ask questions over.
// A handler asks the station engine what its action does (station/station.h)
// and hands the step to carryOut(); it never sees the window's widgets.
//
// Data flow: handler -> Station::<action>(station(), input) -> StationStep ->
// carryOut(): each command through the link in order, the new state kept, the
// words told (to the screen reader, and the record of everything sent to the
// front panel picture), the link flushed and the cue played, then the pause.

#include "radio/radiolink.h"
#include "station/sentrecord.h"
#include "station/station.h"

#include <functional>

class QWidget;

class PanelContext {
public:
    PanelContext(RadioLink& link, QWidget* window) : m_link(link), m_window(window) {}

    const StationState& station() const { return m_station; }
    QWidget* window() const { return m_window; }

    // Sends the step's commands, keeps its state, tells what was sent, plays
    // its cue and waits its pause. The state is kept before anything is sent,
    // so a handler that runs inside the pause starts from it.
    void carryOut(const StationStep& step);

    // Plays a cue that no command comes with (the reset's warning, the
    // picture's): the link is flushed first, as before every cue.
    void playCue(const char* cue);

    // Told the words of each action that sent something, and the record of
    // everything sent.
    std::function<void(const QString& words, const SentRecord& record)> told;

private:
    RadioLink& m_link;
    QWidget* m_window;
    StationState m_station;
    SentRecord m_record;
};
