#include "session/cues.h"

#include "platform/platform.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {
CuePlayer& replacementPlayer()
{
    static CuePlayer player;
    return player;
}

QString& buildTreeCueFolder()
{
    static QString folder;
    return folder;
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
    Platform::playSoundFileBlocking(cueFile(name));
}

QString cueFile(const QString& name)
{
    // Whatever the operator put under this name is theirs, even a file that
    // does not play: it sounds the alert rather than a cue they replaced.
    const QString own = GetWinPath() + QLatin1Char('/') + name;
    if (QFileInfo(own).exists() || QFileInfo(own).isSymLink())
        return own;
    const QString shipped = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                   QStringLiteral("quillard/cues/") + name);
    if (!shipped.isEmpty())
        return shipped;
    if (!buildTreeCueFolder().isEmpty()) {
        const QString inSources = buildTreeCueFolder() + QLatin1Char('/') + name;
        if (QFileInfo::exists(inSources))
            return inSources;
    }
    return own;
}

void setBuildTreeCueFolder(const QString& folder)
{
    buildTreeCueFolder() = folder;
}

void setCuePlayer(CuePlayer player)
{
    replacementPlayer() = std::move(player);
}
