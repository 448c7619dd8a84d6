#pragma once

// The main panel's variables. They are made when the main window loads and
// live until the program ends; only the controls named beside each change it.
// They record the operator's last choices and presses on this panel, never
// the radio's real settings: the radio is never asked.

#include <QString>
#include <QtGlobal>

struct PanelState {
    // The last VFO choice ("VFO A" sets "A", "VFO B" sets "B"): exactly "B"
    // means VFO B to the band buttons, anything else VFO A.
    QString VfoSelection;
    // Absorbs the one "VFO A" selection that the window's first showing makes.
    qint16 StartupFlag = 1;

    // How often each switching button was pressed, modulo its cycle (three
    // for noise reduction, two for the others).
    qint16 LockState = 0;           // "Freq Lock"
    qint16 ProcessorState = 0;      // "Speech Processor"
    qint16 PreampState = 0;         // "Preamplifier"
    qint16 NoiseReductionState = 0; // "Noice Reduction"
    qint16 NoiseBlankerState = 0;   // "Noice Blanker"
    qint16 AttenuatorState = 0;     // "RF Attenuator"
    qint16 ScanState = 0;           // "Scan On/Off"
    qint16 VoxState = 0;            // "VOX"
};
