// SIGTERM, SIGHUP and SIGINT end a process on the spot, before its serial
// port is closed and its lock file removed. Here each of them only writes a
// byte into a pipe (all a signal handler may safely do); the event loop
// watches the pipe's other end and calls the program's own way to end.
#include "platform/platform.h"

#include <QSocketNotifier>

#include <cerrno>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

int wakeUpWrite = -1;

extern "C" void askToEnd(int)
{
    const int saved = errno;
    const char byte = 1;
    (void)!::write(wakeUpWrite, &byte, 1);
    errno = saved;
}

} // namespace

namespace Platform {

void onEndRequest(QObject* context, std::function<void()> endProgram)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    wakeUpWrite = fds[1];
    auto* notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context,
                     [fd = fds[0], endProgram = std::move(endProgram)] {
                         char bytes[16];
                         while (::read(fd, bytes, sizeof bytes) > 0) {
                         }
                         endProgram();
                     });
    struct sigaction action = {};
    action.sa_handler = askToEnd;
    sigemptyset(&action.sa_mask);
    // A second signal of the same kind ends the program at once, as it always
    // did: a program that cannot get back to its event loop can still be ended.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        // A signal the program was started ignoring stays ignored (nohup).
        struct sigaction before = {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace Platform
