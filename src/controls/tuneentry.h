#pragma once

// A typed frequency, as the "Tune to Frequency" box and Station Controls
// take it: the frequency field (the forms it reads are said under it), the
// VFO it goes to (the one the panel addresses, as the band buttons choose),
// and a mode, or none to leave the mode as it is. Up and Down in the field
// recall the last ten frequencies tuned (controls/recentfrequencies.h).
//
// Data flow: typed text -> readFrequency() (station/frequencyentry.h) ->
// Station::tuneFrequency() -> the step, which the box or the section carries
// out. A refused entry sends nothing: its problem is shown under the field
// and told to the screen reader from the window the entry is in.

#include "station/station.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

class TuneEntry : public QWidget {
    Q_OBJECT

public:
    explicit TuneEntry(QWidget* parent);

    QLineEdit* field() const { return m_field; }

    // Chooses the VFO the panel addresses in this state.
    void followPanel(const StationState& state);

    // The step for what was typed, or none after saying why it cannot be tuned.
    std::optional<StationStep> read(const StationState& state);

    // Shows a problem under the field and says it; an empty one clears it.
    void showProblem(const QString& problem);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recall(int step);

    QLineEdit* m_field;
    QComboBox* m_vfo;
    QComboBox* m_mode;
    QLabel* m_problem;
    std::optional<Vfo> m_followed;
    int m_recalled = -1; // index into the recent frequencies shown; -1 none
};
