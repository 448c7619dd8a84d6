#include "pipewatch.h"

#include <QFile>

#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PipeWatch::PipeWatch(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (::mkfifo(name.constData(), 0600) != 0)
        qFatal("cannot make the named pipe %s", name.constData());
    m_writer = std::thread([this, name] {
        while (!m_done) {
            // Opening for writing without waiting succeeds only while a reader has it open.
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_readerWaited = true;
                ::close(fd);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

PipeWatch::~PipeWatch()
{
    readerWaited();
}

bool PipeWatch::readerWaited()
{
    m_done = true;
    if (m_writer.joinable())
        m_writer.join();
    return m_readerWaited;
}
