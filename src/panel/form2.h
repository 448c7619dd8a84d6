#pragma once

// The main window: the control panel the operator lives in. It is created once
// at start-up and lives until the program ends. Its link to the radio opens
// when the window becomes active and is closed while another radio window
// borrows the port (see session/portowner.h); the next activation opens it again.
//
// Data flow: the control units (bands and VFOs, quick memories, modes and time
// signals, functions and power, system reset) build their controls onto the
// sky canvas from their tables. A control's handler reads and writes the
// panel's variables (PanelState), sends its commands through the panel's link
// in order and then plays its cue.

#include "app/portmessages.h"
#include "panel/panelcontext.h"
#include "panel/panelstate.h"
#include "radio/seriallink.h"
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

    SerialLink& link() { return m_link; }
    PortOwner& port() { return m_port; }
    PanelState& state() { return m_state; }

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

    PanelState m_state;
    SerialLink m_link;
    PortOwner m_port{m_link, this};
    PortMessages m_portMessages{m_port};
    PanelContext m_context{m_state, m_link, this};
    SelectionGroup* m_selection = nullptr;
    QAbstractButton* m_firstFocus = nullptr; // "VFO A"
    bool m_shownBefore = false;
};
