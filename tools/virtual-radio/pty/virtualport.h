#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace vradio {

// The radio's end of a pseudo-terminal pair. Clients open the slave side as
// if it were the radio's serial port; we read and write the master side.
//
// We keep one descriptor of the slave open ourselves for as long as we run.
// Without it the master reports hang-up (and reads fail with EIO) whenever
// no client has the slave open, which would either spin the event loop or
// force us to poll for the next client.
class VirtualPort : public QObject {
    Q_OBJECT
public:
    explicit VirtualPort(QObject* parent = nullptr);
    ~VirtualPort() override;

    VirtualPort(const VirtualPort&) = delete;
    VirtualPort& operator=(const VirtualPort&) = delete;

    // Returns false with a message in error if the pair cannot be set up.
    bool open(QString* error);

    QString slavePath() const { return m_slavePath; }

    // Bytes that do not fit because no client reads them are dropped, as a
    // serial line would lose them; returns false then.
    bool write(QByteArrayView bytes);

signals:
    void received(const QByteArray& bytes);
    // Reading the master failed for good; the port has stopped listening.
    void failed(const QString& message);

private:
    void readMaster();
    void close();

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace vradio
