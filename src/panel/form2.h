#pragma once

// The main window: the control panel the operator lives in. It is created once
// at start-up and lives until the program ends. Its link to the radio opens
// when the window becomes active and is closed before another radio window is
// opened from the menus; the next activation opens it again.
//
// Data flow: the control units (bands and VFOs, quick memories, modes and time
// signals, functions and power, system reset) build their widgets onto the
// sky canvas from their tables and register one handler per control here. A
// handler reads and writes the panel's variables below, sends its commands
// through SendCommand() in order and then plays its cue, which pushes the
// commands onto the wire before the sound starts.

#include "radio/seriallink.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class SelectionGroup;

class Form2 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);
    ~Form2() override;

    // The load sequence: settings read, splash, waits and the Online cue.
    void Form_Load();
    // Opens the link when it is closed (each time the window becomes active).
    void Form_Activate();
    // File > Exit.
    void Exit_Click();

    SerialLink& link() { return m_link; }
    const QString& comm() const { return m_comm; }
    const QString& baud() const { return m_baud; }

    // Writes one command to the panel's link; the link reports its own faults.
    void SendCommand(const CatCommand& command);

    // Control handlers, looked up by the control's name: "m20" runs what a
    // click on "20m" runs. For selection buttons this is the action alone; the
    // mark is the selection group's business.
    void setHandler(const QString& controlName, std::function<void()> handler);
    void runHandler(const QString& controlName);
    void Option6_Click() { runHandler(QStringLiteral("Option6")); }
    void Option7_Click() { runHandler(QStringLiteral("Option7")); }
    void Option8_Click() { runHandler(QStringLiteral("Option8")); }
    void Command16_Click() { runHandler(QStringLiteral("Command16")); }
    void Command18_Click() { runHandler(QStringLiteral("Command18")); }
    void Picture1_Click() { runHandler(QStringLiteral("Picture1")); }

    // The one group of all selection buttons, across the frames.
    SelectionGroup& selectionGroup() { return *m_selection; }

    // The operator's last VFO choice on this panel: exactly "B" means VFO B,
    // anything else VFO A. The radio is never asked.
    QString VfoSelection;
    // Absorbs the first VFO A selection that the window's first showing produces.
    qint16 StartupFlag = 1;

    // How often each switching button was pressed (modulo its cycle), not
    // the radio's real setting. Only the button itself changes its state.
    qint16 LockState = 0;
    qint16 ProcessorState = 0;
    qint16 PreampState = 0;
    qint16 NoiseReductionState = 0;
    qint16 NoiseBlankerState = 0;
    qint16 AttenuatorState = 0;
    qint16 ScanState = 0;
    qint16 VoxState = 0;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void readSettings();
    void buildControls(QWidget* canvas);

    SerialLink m_link;
    QString m_comm;
    QString m_baud;
    QString m_settingsFileProblem;
    bool m_settingsFileProblemShown = false;
    bool m_shownBefore = false;
    SelectionGroup* m_selection = nullptr;
    QHash<QString, std::function<void()>> m_handlers;
};
