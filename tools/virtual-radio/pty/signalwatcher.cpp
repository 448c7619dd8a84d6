#include "signalwatcher.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vradio {

namespace {

constexpr std::array handledSignals{SIGINT, SIGTERM, SIGHUP};

int s_pipe[2] = {-1, -1};

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do if the pipe is full: a request is already pending.
    [[maybe_unused]] const ssize_t n = ::write(s_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent) {}

SignalWatcher::~SignalWatcher()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : handledSignals)
        std::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(s_pipe[0]);
    ::close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
}

bool SignalWatcher::install()
{
    if (m_notifier || s_pipe[0] >= 0)
        return false;
    if (::pipe2(s_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;

    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : handledSignals)
        ::sigaction(signalNumber, &action, nullptr);

    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::drain);
    return true;
}

void SignalWatcher::drain()
{
    unsigned char byte = 0;
    int last = 0;
    while (::read(s_pipe[0], &byte, 1) == 1)
        last = byte;
    if (last != 0)
        emit terminationRequested(last);
}

} // namespace vradio
