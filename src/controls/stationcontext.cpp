#include "controls/stationcontext.h"

#include "clock/clock.h"
#include "session/cues.h"

StationContext::StationContext(RadioLink& link, QWidget* window) : m_link(link), m_window(window) {}

bool StationContext::carryOut(const StationStep& step, QWidget* from)
{
    const bool changed = !(m_station == step.state);
    m_station = step.state;
    bool handedOver = true;
    for (const CatCommand& command : step.commands) {
        // The link reports a command it could not send.
        if (!m_link.sendCommand(command))
            handedOver = false;
        m_record.add(command);
    }
    QWidget* teller = from ? from : m_window;
    if (told) {
        if (!step.commands.isEmpty())
            told(step.words, m_record, teller);
        else if (!step.refusal.isEmpty())
            told(step.refusal, m_record, teller);
    }
    if (changed)
        emit stationChanged();
    if (step.cue)
        playCue(step.cue);
    // The window keeps working meanwhile: other buttons, this one included,
    // run to completion inside the pause.
    if (step.pauseSeconds > 0)
        WaitSeconds(step.pauseSeconds);
    return handedOver;
}

void StationContext::playCue(const char* cue)
{
    // The cue holds the thread: what the link still gathers leaves first.
    m_link.flush();
    PlayCue(QString::fromLatin1(cue));
}
