#include "app/cues.h"

#include "platform/platform.h"

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
