#pragma once

// The pseudo-terminal that stands in for the radio's serial line, for the
// tests and the benchmarks alike: the master side is the radio's end, the
// slave side (slavePath()) is the device Quillard opens. The slave is also
// held open here, in raw mode, so the master stays readable while the
// program closes its port to lend it to another window. Plain C++, no Qt:
// the benchmarks measure processes that must not carry it.

#include <string>

class RawPty {
public:
    // Ends the process with a message when the system has no pseudo-terminal to give.
    RawPty();
    ~RawPty();
    RawPty(const RawPty&) = delete;
    RawPty& operator=(const RawPty&) = delete;

    // Non-blocking, closed on exec.
    int master() const { return m_master; }
    const std::string& slavePath() const { return m_slavePath; }

    // Closes both ends, as a pulled cable would.
    void hangUp();

private:
    int m_master = -1;
    int m_keepAlive = -1;
    std::string m_slavePath;
};
