#pragma once

// "Tune to Frequency": the small box Frequencies > "Tune to Frequency..."
// (Ctrl+T) opens over the main window. Enter, or "Tune", reads what was
// typed (controls/tuneentry.h); a frequency the radio can tune closes the
// box with the step to carry out, which the opener hands to the main
// window's StationContext; anything else stays in the box with its problem
// shown and said, and nothing is sent. Opening the box, moving through it and
// typing send nothing.

#include "station/station.h"

#include <QDialog>

#include <optional>

class TuneEntry;

class TuneBox : public QDialog {
    Q_OBJECT

public:
    TuneBox(const StationState& state, QWidget* parent);

    // After Accepted: what Enter tuned.
    const std::optional<StationStep>& step() const { return m_step; }

    // Tune (cmdTune, the default button).
    void cmdTune_Click();

private:
    StationState m_state;
    TuneEntry* m_entry;
    std::optional<StationStep> m_step;
};
