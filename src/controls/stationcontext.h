#pragma once

// The program's one station as last sent, and how an action is carried out
// on it. The main window's control handlers and every section of Station
// Controls work with the same context, so what one window sends the other
// shows (a band button in the panel turns split off in Station Controls).
// A handler asks the station engine what its action does
// (station/station.h) and hands the step to carryOut(); it never sees the
// other window's widgets.
//
// Data flow: handler -> Station::<action>(station(), input) -> StationStep ->
// carryOut(): each command through the main window's link in order
// (PortOwner::sender(), so Station Controls is no borrower), the new state
// kept, the words told from the window the action came from (to the screen
// reader, and the record of everything sent to the front panel picture),
// stationChanged() for the windows that show the station, the link flushed
// and the cue played, then the pause. A step that sends nothing tells its
// refusal instead, when it has one.

#include "radio/radiolink.h"
#include "station/sentrecord.h"
#include "station/station.h"

#include <QObject>

#include <functional>

class QWidget;

class StationContext : public QObject {
    Q_OBJECT

public:
    // link: the main window's sender; window: the main window, which
    // questions are asked over and words are told from by default.
    StationContext(RadioLink& link, QWidget* window);

    const StationState& station() const { return m_station; }
    QWidget* window() const { return m_window; }

    // Sends the step's commands, keeps its state, tells what was sent (from
    // `from`, or the main window), plays its cue and waits its pause. The
    // state is kept before anything is sent, so a handler that runs inside
    // the pause starts from it.
    // Returns whether the link took every command (it reports the ones it
    // could not send itself).
    bool carryOut(const StationStep& step, QWidget* from = nullptr);

    // Plays a cue that no command comes with (the reset's warning, the
    // picture's): the link is flushed first, as before every cue.
    void playCue(const char* cue);

    // Told the words of each action that sent something (or its refusal),
    // the record of everything sent, and the window the action came from.
    std::function<void(const QString& words, const SentRecord& record, QWidget* from)> told;

signals:
    // The station as last sent has changed: views of it read station() again.
    void stationChanged();

private:
    RadioLink& m_link;
    QWidget* m_window;
    StationState m_station;
    SentRecord m_record;
};
