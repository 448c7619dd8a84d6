#pragma once

// A rig-control daemon run for a test: a free TCP port on 127.0.0.1, the
// program started there, and a wait (in the event loop) until it accepts
// connections. Killed, not asked, when the test ends or calls kill().

#include <QProcess>
#include <QStringList>

class DaemonProcess {
public:
    DaemonProcess() = default;
    ~DaemonProcess();
    DaemonProcess(const DaemonProcess&) = delete;
    DaemonProcess& operator=(const DaemonProcess&) = delete;

    // A TCP port on 127.0.0.1 that nothing listens on now.
    static quint16 freePort();

    // rigctld for a TS-570 on device, listening on 127.0.0.1:port (a free
    // one when 0). Returns whether it accepts connections within 15 s.
    bool startRigctld(const QString& device, quint16 port = 0);
    quint16 port() const { return m_port; }
    void kill();
    QString output();

private:
    bool waitUntilAccepting(int milliseconds);

    QProcess m_process;
    quint16 m_port = 0;
};
