#pragma once

#include <QObject>

class QSocketNotifier;

namespace vradio {

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal, so that we leave through
// the event loop and remove our link instead of dying where we stand. The
// handler only writes the signal number into a pipe (all it may safely do);
// the event loop reads it. Also ignores SIGPIPE: a closed stdout must show up
// as a failed write, not end the program with the link left behind.
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    // One watcher per process. Returns false if the pipe cannot be made.
    bool install();

signals:
    void terminationRequested(int signalNumber);

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace vradio
