// A calendar of the test's choosing for one program of a black-box test.
// Preloaded into that program alone (LD_PRELOAD), it answers every question
// for the date and time (clock_gettime on the realtime clocks, gettimeofday,
// time) with the moment in QUILLARD_FAKE_UTC, in seconds since 1970 UTC, and
// holds it there; the monotonic clocks, on which Qt's timers and Quillard's
// waits run, are the kernel's as ever. So the program needs no hook of its
// own that an operator could set by chance.
//
// It asks the kernel directly and allocates nothing, so it needs nothing of
// the C library or of the loader while a program starts, and runs beside
// AddressSanitizer. (libfaketime does the same and more, but Debian 12's
// deadlocks when it is preloaded into a program built with clang's
// AddressSanitizer, as the sanitizer run builds every program.)

#include <cstdlib>
#include <ctime>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
constexpr long long Unset = -2;
constexpr long long Absent = -1;
// Read at the first question; every question reads the same, so a race is harmless.
long long fakeSeconds = Unset;

long long moment()
{
    if (fakeSeconds == Unset) {
        long long seconds = Absent;
        if (const char* text = std::getenv("QUILLARD_FAKE_UTC"); text && *text) {
            seconds = 0;
            for (const char* c = text; *c; ++c) {
                if (*c < '0' || *c > '9') {
                    seconds = Absent;
                    break;
                }
                seconds = seconds * 10 + (*c - '0');
            }
        }
        fakeSeconds = seconds;
    }
    return fakeSeconds;
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
    return int(syscall(SYS_clock_gettime, clock, now));
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
}
