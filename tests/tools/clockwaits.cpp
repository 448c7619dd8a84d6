// Waits in poll for each number of milliseconds given, in turn, as an event
// loop waits for its next timer, and prints after each wait the time since
// its start on the monotonic clock and on the realtime clock, in
// milliseconds: "<monotonic> <realtime>". For the test of the clock that the
// black-box tests preload into the program (test_fakeutc.sh); fails if the
// monotonic clock goes back.

#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
long long milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1'000'000;
}
} // namespace

int main(int argc, char** argv)
{
    const long long monotonicStart = milliseconds(CLOCK_MONOTONIC);
    const long long realStart = milliseconds(CLOCK_REALTIME);
    long long last = 0;
    for (int i = 1; i < argc; ++i) {
        poll(nullptr, 0, std::atoi(argv[i]));
        const long long monotonic = milliseconds(CLOCK_MONOTONIC) - monotonicStart;
        if (monotonic < last) {
            std::fprintf(stderr, "the monotonic clock went back by %lld ms\n", last - monotonic);
            return 1;
        }
        last = monotonic;
        std::printf("%lld %lld\n", monotonic, milliseconds(CLOCK_REALTIME) - realStart);
        std::fflush(stdout);
    }
    return 0;
}
