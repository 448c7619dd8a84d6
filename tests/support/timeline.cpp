#include "timeline.h"

#include "clock/clock.h"
#include "session/cues.h"
#include "session/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

Timeline::Timeline(const QString& baud) : m_startNs(Clock::current().nowNs())
{
    const QString dir = GetWinPath();
    QDir().mkpath(dir);
    m_linkPath = dir + QStringLiteral("/com1");
    QFile::remove(m_linkPath);
    QFile::link(m_radio.devicePath(), m_linkPath);
    if (!baud.isEmpty())
        writeSettingsFile({QStringLiteral("1"), baud});

    m_radio.onCommand([this](const QByteArray& text) {
        m_events.append({QString::fromLatin1(text), nowMs()});
    });
    setCuePlayer([this](const QString& name) {
        collect();
        m_events.append({QStringLiteral("cue:") + name, nowMs()});
    });
}

Timeline::~Timeline()
{
    setCuePlayer({});
    QFile::remove(m_linkPath);
}

double Timeline::nowMs() const
{
    return (Clock::current().nowNs() - m_startNs) / 1e6;
}

void Timeline::collect()
{
    // The link hands every command to the device as it is sent; a write the
    // device could not take at once goes out from the event loop.
    QCoreApplication::processEvents();
    m_radio.readAvailable();
}

QStringList Timeline::events()
{
    QStringList list;
    for (const Event& event : timedEvents())
        list.append(event.what);
    return list;
}

QList<Timeline::Event> Timeline::timedEvents()
{
    collect();
    QList<Event> all = m_events;
    if (!m_radio.unterminated().isEmpty())
        all.append(
            {QStringLiteral("unterminated:") + QString::fromLatin1(m_radio.unterminated()), 0});
    return all;
}

void Timeline::clear()
{
    collect();
    m_events.clear();
    m_radio.forget();
}

QByteArray Timeline::rawBytes()
{
    collect();
    return m_radio.raw();
}

void Timeline::hangUp()
{
    m_radio.hangUp();
    // The kernel hands the freed terminal number to the next one opened, which
    // may be another test's running alongside; a pulled cable's device stays
    // gone, so the link now names a device that cannot come back.
    QFile::remove(m_linkPath);
    QFile::link(m_radio.devicePath() + QStringLiteral("-gone"), m_linkPath);
}
