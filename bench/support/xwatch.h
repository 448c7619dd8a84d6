#pragma once

// Watches the X server the benchmark runs on, as an X client of its own: each
// top-level window that is created, the moment it is mapped (MapNotify) and
// the moment pixels are first drawn in it after that (the DAMAGE extension).
// Times are monotonic milliseconds, as monotonicMs() gives them.
//
// Waiting always blocks: poll() on the X connection (and on one more file,
// such as the radio's pseudo-terminal, drained when readable) until an event
// arrives or the time is up.

#include <functional>
#include <string>
#include <vector>

using Display = struct _XDisplay;

class XWatch {
public:
    struct TopLevel {
        unsigned long id = 0;
        std::string name;
        int width = 0; // outer size at the time it was mapped
        int height = 0;
        double mappedMs = -1;
        double drawnMs = -1;
    };

    // Connects to $DISPLAY; ok() tells whether that worked and the server has DAMAGE.
    XWatch();
    ~XWatch();
    XWatch(const XWatch&) = delete;
    XWatch& operator=(const XWatch&) = delete;
    bool ok() const { return m_display && m_damageEvent >= 0; }
    Display* display() const { return m_display; }

    // Handles events until done() or until timeoutMs have passed; true when done.
    bool waitUntil(const std::function<bool()>& done, double timeoutMs, int drainFd = -1);
    // Handles events (and drains drainFd) for this long, sleeping in between.
    void pumpFor(double ms, int drainFd = -1);

    // Mapped windows, in the order they were mapped.
    std::vector<TopLevel> mapped() const;
    // The first mapped window with exactly this name, or nullptr.
    const TopLevel* mappedNamed(const std::string& name) const;
    // Forgets the windows seen so far (between two children).
    void forget();

private:
    void handlePending();

    Display* m_display = nullptr;
    int m_damageEvent = -1;
    std::vector<TopLevel> m_windows; // created, in order
    std::vector<unsigned long> m_damages;
};
