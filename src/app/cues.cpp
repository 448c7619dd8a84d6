#include "app/cues.h"

#include "app/platform.h"
#include "radio/seriallink.h"

namespace {
CuePlayer& replacementPlayer()
{
    static CuePlayer player;
    return player;
}
} // namespace

QString GetWinPath()
{
    return Platform::settingsDirectory();
}

void PlayCue(const QString& name)
{
    SerialLink::flushAll();
    if (replacementPlayer()) {
        replacementPlayer()(name);
        return;
    }
    Platform::playSoundFileBlocking(GetWinPath() + QLatin1Char('/') + name);
}

void setCuePlayer(CuePlayer player)
{
    replacementPlayer() = std::move(player);
}
