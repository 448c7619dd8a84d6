#include "panel/panelcontext.h"

#include "clock/clock.h"
#include "session/cues.h"

void PanelContext::carryOut(const StationStep& step)
{
    m_station = step.state;
    for (const CatCommand& command : step.commands) {
        // The link reports a command it could not send.
        m_link.sendCommand(command);
        m_record.add(command);
    }
    if (!step.commands.isEmpty() && told)
        told(step.words, m_record);
    if (step.cue)
        playCue(step.cue);
    // The window keeps working meanwhile: other buttons, this one included,
    // run to completion inside the pause.
    if (step.pauseSeconds > 0)
        WaitSeconds(step.pauseSeconds);
}

void PanelContext::playCue(const char* cue)
{
    // The cue holds the thread: what the link still gathers leaves first.
    m_link.flush();
    PlayCue(QString::fromLatin1(cue));
}
