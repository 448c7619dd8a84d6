#include "controls/sliderpacer.h"

#include <QAbstractSlider>

SliderPacer::SliderPacer(QAbstractSlider* slider, std::function<void(int)> send)
    : QObject(slider), m_slider(slider), m_send(std::move(send))
{
    slider->setTracking(true);
    QObject::connect(slider, &QAbstractSlider::valueChanged, this, &SliderPacer::changed);
    // A drag that ends between two paced values: the alarm already set sends
    // the value it was left at, no sooner than the interval allows.
}

SliderPacer::~SliderPacer() = default;

void SliderPacer::show(int value)
{
    // Under the operator's hand the slider shows where it is held.
    if (m_slider->isSliderDown())
        return;
    m_showing = true;
    m_slider->setValue(value);
    m_showing = false;
    m_lastSent = value;
}

void SliderPacer::changed(int value)
{
    if (m_showing)
        return;
    if (!m_slider->isSliderDown()) {
        // Keyboard and wheel: every step goes out as it is taken.
        if (!m_alarmRang)
            m_alarm.reset();
        sendNow(value);
        return;
    }
    Clock& clock = Clock::current();
    const qint64 intervalNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(interval).count();
    const qint64 now = clock.nowNs();
    if (!m_lastSentNs || now - *m_lastSentNs >= intervalNs) {
        if (!m_alarmRang)
            m_alarm.reset();
        sendNow(value);
        return;
    }
    if (!m_alarm || m_alarmRang) {
        m_alarmRang = false;
        // Rounded up: an alarm a fraction early would send too soon.
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(
            std::chrono::nanoseconds(*m_lastSentNs + intervalNs - now));
        m_alarm = clock.alarmAfter(std::max(wait, std::chrono::milliseconds(1)), this,
                                   [this] { ring(); });
    }
}

void SliderPacer::ring()
{
    // The alarm is spent (it is let go at the next one, not inside its own
    // ring); the value the slider holds now is the one to send.
    m_alarmRang = true;
    if (m_slider->value() != m_lastSent)
        sendNow(m_slider->value());
}

void SliderPacer::sendNow(int value)
{
    m_lastSentNs = Clock::current().nowNs();
    m_lastSent = value;
    m_send(value);
}
