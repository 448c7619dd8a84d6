#pragma once

// A named pipe with a writer standing by: as soon as anything waits in the
// opening of the pipe for reading (which blocks until a writer comes), the
// writer opens it, which frees the reader, and notes that it did. A test
// hands the pipe to code that must never wait on it and then asks whether
// anything waited.
//
//   PipeWatch pipe(dir + "/20m.wav");
//   PlayCue("20m.wav");
//   QVERIFY(!pipe.readerWaited());

#include <QString>

#include <atomic>
#include <thread>

class PipeWatch {
public:
    explicit PipeWatch(const QString& path);
    ~PipeWatch();
    PipeWatch(const PipeWatch&) = delete;
    PipeWatch& operator=(const PipeWatch&) = delete;

    // Stops the writer and tells whether a reader waited on the pipe.
    bool readerWaited();

private:
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_readerWaited{false};
    std::thread m_writer;
};
