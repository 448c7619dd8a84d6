#include "virtualport.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace vradio {

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

VirtualPort::VirtualPort(QObject* parent) : QObject(parent) {}

VirtualPort::~VirtualPort()
{
    close();
}

bool VirtualPort::open(QString* error)
{
    close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0 ||
        ptsname_r(m_master, name, sizeof name) != 0) {
        *error = systemError("preparing the pseudo-terminal");
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);

    // Raw: the line discipline must neither echo, translate CR/LF nor hold
    // bytes back for a whole line; the radio sees exactly what was sent.
    termios tio{};
    if (tcgetattr(m_master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
    }
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = systemError("fcntl");
        close();
        return false;
    }

    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0) {
        *error = systemError("opening the pseudo-terminal slave");
        close();
        return false;
    }

    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &VirtualPort::readMaster);
    return true;
}

bool VirtualPort::write(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break;
    }
    return done == bytes.size();
}

void VirtualPort::readMaster()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            emit received(QByteArray(buffer, n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // End of file or a hard error: with our own slave descriptor open this
        // should not happen, but if it does, stop watching rather than wake
        // up for the same condition forever.
        const QString message = n == 0 ? QStringLiteral("pseudo-terminal closed")
                                       : systemError("reading the pseudo-terminal");
        m_notifier->setEnabled(false);
        emit failed(message);
        return;
    }
}

void VirtualPort::close()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = -1;
    m_master = -1;
}

} // namespace vradio
