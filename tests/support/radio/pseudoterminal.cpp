#include "pseudoterminal.h"

#include <QtGlobal>

#include <algorithm>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(Reading reading)
    : m_slavePath(QString::fromStdString(m_pty.slavePath()))
{
    if (reading == Reading::WhenAsked)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.master(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { readAvailable(); });
}

PseudoTerminal::~PseudoTerminal()
{
    m_notifier.reset();
}

void PseudoTerminal::onCommand(std::function<void(const QByteArray&)> handler)
{
    m_onCommand = std::move(handler);
}

void PseudoTerminal::readAvailable()
{
    if (m_pty.master() < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_pty.master(), buffer, sizeof buffer);
        if (got <= 0)
            break;
        // The filler comes first and is not the program's.
        const ssize_t filler = std::min<ssize_t>(got, m_fillerLeft);
        m_fillerLeft -= filler;
        m_raw.append(buffer + filler, got - filler);
        m_partial.append(buffer + filler, got - filler);
    }
    for (qsizetype end = m_partial.indexOf('\r'); end >= 0; end = m_partial.indexOf('\r')) {
        const QByteArray text = m_partial.left(end);
        m_partial.remove(0, end + 1);
        if (m_onCommand)
            m_onCommand(text);
    }
}

void PseudoTerminal::forget()
{
    readAvailable();
    m_partial.clear();
    m_raw.clear();
}

void PseudoTerminal::radioSends(const QByteArray& bytes)
{
    if (::write(m_pty.master(), bytes.constData(), bytes.size()) != bytes.size())
        qWarning("radio could not send");
}

void PseudoTerminal::fillTowardsRadio()
{
    readAvailable(); // what came before is the radio's; the filler follows it
    const int fd = ::open(m_slavePath.toLatin1().constData(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        qFatal("cannot open the pseudo-terminal to fill it");
    const QByteArray filler(1024, 'x');
    for (ssize_t wrote = 1; wrote > 0;) {
        wrote = ::write(fd, filler.constData(), filler.size());
        if (wrote > 0)
            m_fillerLeft += wrote;
    }
    ::close(fd);
}

void PseudoTerminal::hangUp()
{
    m_notifier.reset();
    m_pty.hangUp();
}
