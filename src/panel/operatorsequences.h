#pragma once

// The operator's start and exit sequences (station/operatorsetup.h): the
// start sequence goes out once a run, when the main window's link first
// opens, before anything else is sent through it; the exit sequence once,
// before the main window lets the port go at the program's end (File > Exit,
// the window closed, the system's end request), and only when the port is
// the main window's at that moment. Both are empty unless the operator set
// them, so by default Quillard still sends nothing at start or at exit.
//
// Data flow: PortOwner::mainLinkOpened -> quillard.conf's start sequence ->
// checkOperatorCommands -> Station::sendOperatorCommands -> the panel's
// StationContext. At the end: the exit sequence the same way, then a wait
// until the link says everything has left (or two seconds), then the window
// closes its link.

#include "radio/catcommand.h"

#include <QList>
#include <QObject>

class PortOwner;
class RadioLink;
class StationContext;
class QWidget;

class OperatorSequences : public QObject {
    Q_OBJECT

public:
    OperatorSequences(StationContext& context, PortOwner& owner, RadioLink& mainLink,
                      QWidget* window);

    // Sends the exit sequence, once, when the main link is open, and returns
    // once it has left.
    void sendExitSequence();

private:
    void sendStartSequence();
    void sendLeavingTheStation(const QList<CatCommand>& commands);

    StationContext& m_context;
    RadioLink& m_mainLink;
    QWidget* m_window;
    bool m_startSent = false;
    bool m_exitSent = false;
};
