// A clock of the test's choosing for one program of a black-box test,
// preloaded into that program alone (LD_PRELOAD), so the program needs no
// hook of its own that an operator could set by chance. Two settings, each
// on its own:
//
// QUILLARD_FAKE_UTC=<seconds since 1970 UTC>: every question for the date
// and time (clock_gettime on the realtime clocks, gettimeofday, time) is
// answered with that moment, held there.
//
// QUILLARD_CLOCK_WARP=<factor>:<seconds>[:<file>]: for the program's first
// <seconds> on its monotonic clock (counted from its first question for the
// time, or from the moment the program, waiting, finds that <file> has come
// to be), the time it spends waiting passes <factor> times faster; time it spends
// working passes as ever, and after those seconds every wait lasts its full
// length. Qt's timers (and Quillard's waits, which are timers) run on the
// monotonic clock: Qt asks it for the moment a timer is due and then sleeps
// in poll (glib's dispatcher) or ppoll (Qt's own) until then. So the
// monotonic clocks read ahead by the waiting skipped so far, and a wait in
// poll or ppoll with a timeout sleeps only its share of real time, adding
// the rest to that lead when it returns. The lead only grows, so the clock
// never goes back, and it stops growing at <seconds> of the program's clock:
// a program that waits that long before it shows its window waits at the
// real rate once the window is up. (Absolute deadlines that go to the kernel
// on the monotonic clock, as pthread_cond_timedwait's, come to lie that lead
// later; a wait with a timeout in Qt's event loop has none.)
//
// It asks the kernel directly and allocates nothing, so it needs nothing of
// the C library or of the loader while a program starts, and runs beside
// AddressSanitizer, whose own poll and clock_gettime call these. (libfaketime
// does the same and more, but Debian 12's deadlocks when it is preloaded into
// a program built with clang's AddressSanitizer, as the sanitizer run builds
// every program.)

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
constexpr long long Unset = -2;
constexpr long long Absent = -1;
constexpr long long NsPerSecond = 1'000'000'000;
constexpr long long NsPerMs = 1'000'000;

// Reads a whole number from the start of text up to stop (or the end);
// Absent when there is none or anything else stands there.
long long number(const char* text, char stop, const char** rest = nullptr)
{
    long long value = 0;
    const char* c = text;
    for (; *c && *c != stop; ++c) {
        if (*c < '0' || *c > '9' || value > NsPerSecond)
            return Absent;
        value = value * 10 + (*c - '0');
    }
    if (c == text)
        return Absent;
    if (rest)
        *rest = *c ? c + 1 : c;
    return value;
}

// Read at the first question; every question reads the same, so a race is harmless.
long long fakeSeconds = Unset;

long long moment()
{
    if (fakeSeconds == Unset) {
        const char* text = std::getenv("QUILLARD_FAKE_UTC");
        fakeSeconds = text ? number(text, '\0') : Absent;
    }
    return fakeSeconds;
}

bool monotonic(clockid_t clock)
{
    return clock == CLOCK_MONOTONIC || clock == CLOCK_MONOTONIC_RAW ||
           clock == CLOCK_MONOTONIC_COARSE || clock == CLOCK_BOOTTIME;
}

long long realMonotonicNs()
{
    timespec now{};
    syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &now);
    return now.tv_sec * NsPerSecond + now.tv_nsec;
}

struct Warp {
    long long factor = 1;
    long long endNs = 0;           // of the program's clock, counted from the warp's start
    long long maxLeadNs = 0;       // the most waiting it can skip
    const char* trigger = nullptr; // the file whose coming starts the warp, if any
};

// The warp as set, read once; factor 1 is no warp.
const Warp& warp()
{
    static std::atomic<int> state{0}; // 0 unread, 1 being read, 2 read
    static Warp read;
    if (state.load(std::memory_order_acquire) == 2)
        return read;
    int unread = 0;
    if (state.compare_exchange_strong(unread, 1, std::memory_order_acq_rel)) {
        const char* rest = nullptr;
        const char* text = std::getenv("QUILLARD_CLOCK_WARP");
        const long long factor = text ? number(text, ':', &rest) : Absent;
        const long long seconds = factor > 1 && *rest ? number(rest, ':', &rest) : Absent;
        if (seconds > 0) {
            read.factor = factor;
            read.endNs = seconds * NsPerSecond;
            read.maxLeadNs = read.endNs - read.endNs / factor;
            read.trigger = *rest ? rest : nullptr;
        }
        state.store(2, std::memory_order_release);
    }
    while (state.load(std::memory_order_acquire) != 2) {
    }
    return read;
}

// The warp is the program's alone: read before the program starts, and
// taken out of the environment that the programs it starts inherit (a
// daemon it starts for the operator, for one).
__attribute__((constructor)) void takeWarpForThisProgram()
{
    warp();
    unsetenv("QUILLARD_CLOCK_WARP");
}

// How far the program's monotonic clock is ahead of the kernel's.
std::atomic<long long> lead{0};

// The real monotonic clock when the warp started: at the program's first
// question, or when the trigger file was first seen; 0 before then.
std::atomic<long long> warpStartNs{0};

bool warpStarted()
{
    if (warpStartNs.load() != 0)
        return true;
    if (warp().trigger && syscall(SYS_faccessat, AT_FDCWD, warp().trigger, F_OK, 0) != 0)
        return false;
    long long unset = 0;
    warpStartNs.compare_exchange_strong(unset, realMonotonicNs());
    return true;
}

// The part of a wait of timeoutMs from now that is warped, in nanoseconds of
// the program's clock.
long long warpedPartNs(long long timeoutMs)
{
    const Warp& w = warp();
    if (w.factor == 1 || timeoutMs <= 0 || !warpStarted())
        return 0;
    const long long sinceStartNs = realMonotonicNs() - warpStartNs.load() + lead.load();
    const long long leftNs = w.endNs - sinceStartNs;
    return leftNs <= 0 ? 0 : (timeoutMs * NsPerMs < leftNs ? timeoutMs * NsPerMs : leftNs);
}

// The real milliseconds to sleep for a wait of timeoutMs with warpedNs warped.
long long realTimeoutMs(long long timeoutMs, long long warpedNs)
{
    const long long realNs = warpedNs / warp().factor + (timeoutMs * NsPerMs - warpedNs);
    return (realNs + NsPerMs - 1) / NsPerMs;
}

// A wait that began at realStartNs with warpedNs warped has returned: the
// real time it slept within its warped part counts factor times.
void skip(long long realStartNs, long long warpedNs)
{
    const Warp& w = warp();
    long long sleptNs = realMonotonicNs() - realStartNs;
    if (sleptNs > warpedNs / w.factor)
        sleptNs = warpedNs / w.factor;
    const long long skippedNs = sleptNs * (w.factor - 1);
    long long before = lead.load();
    long long after = 0;
    do {
        after = before + skippedNs < w.maxLeadNs ? before + skippedNs : w.maxLeadNs;
    } while (after > before && !lead.compare_exchange_weak(before, after));
}

// The kernel writes the time left back into ppoll's timeout: a copy of it.
int realPoll(pollfd* fds, nfds_t count, const timespec* timeout, const sigset_t* mask)
{
    timespec left = timeout ? *timeout : timespec{};
    return int(syscall(SYS_ppoll, fds, count, timeout ? &left : nullptr, mask, _NSIG / 8));
}
} // namespace

extern "C" {
int clock_gettime(clockid_t clock, struct timespec* now) noexcept
{
    if ((clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE) && moment() >= 0) {
        now->tv_sec = time_t(moment());
        now->tv_nsec = 0;
        return 0;
    }
    const int result = int(syscall(SYS_clock_gettime, clock, now));
    if (result == 0 && monotonic(clock) && warp().factor > 1 && !warp().trigger)
        warpStarted();
    if (result == 0 && monotonic(clock) && warp().factor > 1) {
        const long long ns = now->tv_nsec + lead.load();
        now->tv_sec += time_t(ns / NsPerSecond);
        now->tv_nsec = long(ns % NsPerSecond);
    }
    return result;
}

int gettimeofday(struct timeval* now, void* zone) noexcept
{
    if (moment() < 0)
        return int(syscall(SYS_gettimeofday, now, zone));
    if (now) {
        now->tv_sec = time_t(moment());
        now->tv_usec = 0;
    }
    return 0;
}

time_t time(time_t* now) noexcept
{
    const time_t seconds = moment() >= 0 ? time_t(moment()) : time_t(syscall(SYS_time, nullptr));
    if (now)
        *now = seconds;
    return seconds;
}

int poll(struct pollfd* fds, nfds_t count, int timeoutMs)
{
    const long long warpedNs = warpedPartNs(timeoutMs);
    if (warpedNs == 0) {
        if (timeoutMs < 0)
            return realPoll(fds, count, nullptr, nullptr);
        const timespec timeout{timeoutMs / 1000, (timeoutMs % 1000) * NsPerMs};
        return realPoll(fds, count, &timeout, nullptr);
    }
    const long long startNs = realMonotonicNs();
    const long long realMs = realTimeoutMs(timeoutMs, warpedNs);
    const timespec timeout{time_t(realMs / 1000), long(realMs % 1000 * NsPerMs)};
    const int result = realPoll(fds, count, &timeout, nullptr);
    skip(startNs, warpedNs);
    return result;
}

int ppoll(struct pollfd* fds, nfds_t count, const struct timespec* timeout, const sigset_t* mask)
{
    // Rounded up to whole milliseconds, as poll's are: a warped wait may
    // sleep up to a millisecond longer.
    const long long timeoutMs =
        timeout ? (timeout->tv_sec * NsPerSecond + timeout->tv_nsec + NsPerMs - 1) / NsPerMs : -1;
    const long long warpedNs = warpedPartNs(timeoutMs);
    if (warpedNs == 0)
        return realPoll(fds, count, timeout, mask);
    const long long startNs = realMonotonicNs();
    const long long realMs = realTimeoutMs(timeoutMs, warpedNs);
    const timespec shortened{time_t(realMs / 1000), long(realMs % 1000 * NsPerMs)};
    const int result = realPoll(fds, count, &shortened, mask);
    skip(startNs, warpedNs);
    return result;
}
}
