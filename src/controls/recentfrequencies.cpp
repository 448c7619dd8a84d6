#include "controls/recentfrequencies.h"

#include "session/programsettings.h"

namespace {
const QString key = QStringLiteral("TuneToFrequency/recent");
}

QStringList RecentFrequencies::read()
{
    QStringList recent = programSettings().value(key).toStringList();
    recent.removeAll(QString());
    return recent.mid(0, kept);
}

void RecentFrequencies::add(const QString& typed)
{
    QStringList recent = read();
    recent.removeAll(typed);
    recent.prepend(typed);
    programSettings().setValue(key, recent.mid(0, kept));
}
