#pragma once

// The main window: the control panel the operator lives in. It is created once
// at start-up and lives until the program ends. Its link to the radio opens
// when the window becomes active and is closed while another radio window
// borrows the port (see session/portowner.h); the next activation opens it again.
//
// Data flow: the control units (bands and VFOs, quick memories, modes and time
// signals, functions and power, system reset) build their controls onto the
// sky canvas from their tables. A control's handler asks the station engine
// what its action sends (station/station.h) and the panel's context carries
// the step out: the commands through the panel's link in order, the station
// as last sent kept, the words told, then the cue.

#include "app/portmessages.h"
#include "controls/stationcontext.h"
#include "panel/operatorsequences.h"
#include "session/portlink.h"
#include "session/portowner.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAbstractButton;
class Splash;
class SelectionGroup;

class Form2 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    // The program's start: the splash first, then the panel is built while the
    // splash's first wait runs, then the rest of the load sequence.
    static std::unique_ptr<Form2> load();
    // The load sequence of a window already built: settings read, splash,
    // waits and the Online cue.
    void Form_Load();
    // Opens the link when it is closed (each time the window becomes active).
    void Form_Activate();
    // File > Exit.
    void Exit_Click();

    // What the panel sends through: its link, opened on demand.
    RadioLink& link() { return m_port.sender(); }
    PortOwner& port() { return m_port; }
    // The station as the panel last sent it.
    const StationState& state() const { return m_context.station(); }
    // The station context Station Controls and the Tune to Frequency box share.
    StationContext& context() { return m_context; }

    // The one group of all selection buttons, across the frames.
    SelectionGroup& selectionGroup() { return *m_selection; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls(QWidget* canvas);
    // From the splash on screen: the rest of its first wait, the cue, the second wait.
    void finishLoad(QPointer<Splash> splash, qint64 splashShownNs);

    PortLink m_link;
    PortOwner m_port{m_link, this};
    PortMessages m_portMessages{m_port};
    StationContext m_context{m_port.sender(), this};
    // The operator's start and exit sequences, around the main link's life.
    OperatorSequences* m_sequences = new OperatorSequences(m_context, m_port, m_link, this);
    SelectionGroup* m_selection = nullptr;
    QAbstractButton* m_firstFocus = nullptr; // "VFO A"
    bool m_shownBefore = false;
    // Station Controls was open when the program last ended.
    bool m_reopenStationControls = false;
};
