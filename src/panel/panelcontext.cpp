#include "panel/panelcontext.h"

#include "session/cues.h"

void PanelContext::PlayCue(const char* cue) const
{
    report();
    ::PlayCue(QString::fromLatin1(cue));
}
