#include "pty/rawpty.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

RawPty::RawPty()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        std::fprintf(stderr, "no pseudo-terminal: %s\n", std::strerror(errno));
        std::exit(2);
    }
    m_slavePath = ptsname(m_master);
    m_keepAlive = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    termios raw{};
    tcgetattr(m_keepAlive, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_keepAlive, TCSANOW, &raw);
}

RawPty::~RawPty()
{
    hangUp();
}

void RawPty::hangUp()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_keepAlive >= 0)
        ::close(m_keepAlive);
    m_master = m_keepAlive = -1;
}
