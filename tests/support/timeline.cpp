#include "timeline.h"

#include "app/cues.h"
#include "app/settings.h"
#include "radio/seriallink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

Timeline::Timeline(const QString& baud)
{
    m_clock.start();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        qFatal("no pseudo-terminal");
    m_slavePath = QString::fromLatin1(ptsname(m_master));
    // Holding the slave open keeps the master readable between openings.
    m_keepAlive = ::open(m_slavePath.toLatin1().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios raw{};
    tcgetattr(m_keepAlive, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_keepAlive, TCSANOW, &raw);

    const QString dir = GetWinPath();
    QDir().mkpath(dir);
    m_linkPath = dir + QStringLiteral("/com1");
    QFile::remove(m_linkPath);
    QFile::link(m_slavePath, m_linkPath);
    if (!baud.isEmpty())
        writeSettingsFile({QStringLiteral("1"), baud});

    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readMaster(); });
    setCuePlayer([this](const QString& name) {
        collect();
        m_events.append({QStringLiteral("cue:") + name, m_clock.nsecsElapsed() / 1e6});
    });
}

Timeline::~Timeline()
{
    setCuePlayer({});
    m_notifier.reset();
    if (m_master >= 0)
        ::close(m_master);
    if (m_keepAlive >= 0)
        ::close(m_keepAlive);
    QFile::remove(m_linkPath);
}

void Timeline::readMaster()
{
    if (m_master < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_master, buffer, sizeof buffer);
        if (got <= 0)
            break;
        m_raw.append(buffer, got);
        m_partial.append(buffer, got);
    }
    for (qsizetype end = m_partial.indexOf('\r'); end >= 0; end = m_partial.indexOf('\r')) {
        m_events.append({QString::fromLatin1(m_partial.left(end)), m_clock.nsecsElapsed() / 1e6});
        m_partial.remove(0, end + 1);
    }
}

void Timeline::collect()
{
    SerialLink::flushAll();
    // A pseudo-terminal hands bytes over at once, but give the kernel a moment.
    QTest::qWait(5);
    readMaster();
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
    if (!m_partial.isEmpty())
        all.append({QStringLiteral("unterminated:") + QString::fromLatin1(m_partial), 0});
    return all;
}

void Timeline::clear()
{
    collect();
    m_events.clear();
    m_partial.clear();
    m_raw.clear();
}

QByteArray Timeline::rawBytes()
{
    collect();
    return m_raw;
}

void Timeline::radioSends(const QByteArray& bytes)
{
    if (::write(m_master, bytes.constData(), bytes.size()) != bytes.size())
        qWarning("radio could not send");
}

void Timeline::hangUp()
{
    m_notifier.reset();
    ::close(m_master);
    ::close(m_keepAlive);
    m_master = m_keepAlive = -1;
    // The kernel hands the freed terminal number to the next one opened, which
    // may be another test's running alongside; a pulled cable's device stays
    // gone, so the link now names a device that cannot come back.
    QFile::remove(m_linkPath);
    QFile::link(m_slavePath + QStringLiteral("-gone"), m_linkPath);
}
