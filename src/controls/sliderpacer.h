#pragma once

// Paces what a slider sends. While the operator drags it with the mouse it
// sends at most one value per 100 ms, and always the value it is left at;
// a keyboard step (an arrow, Page Up, Home ...) or a wheel step sends at
// once, each step. Setting the slider to show a value as sent (show()) and
// giving it the focus send nothing.
//
// Data flow: QSlider::valueChanged -> [dragged: held until 100 ms after the
// last value sent, on the one clock (clock/clock.h)] -> send(value) -> the
// section's handler -> Station::setLevel -> StationContext::carryOut.

#include "clock/clock.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QAbstractSlider;

class SliderPacer : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds interval{100};

    SliderPacer(QAbstractSlider* slider, std::function<void(int)> send);
    ~SliderPacer() override;

    // Moves the slider to a value without sending it (not while it is dragged).
    void show(int value);

private:
    void changed(int value);
    void sendNow(int value);
    void ring();

    QAbstractSlider* m_slider;
    std::function<void(int)> m_send;
    bool m_showing = false;
    std::optional<qint64> m_lastSentNs;
    std::optional<int> m_lastSent;
    std::unique_ptr<Clock::Alarm> m_alarm;
    bool m_alarmRang = false;
};
