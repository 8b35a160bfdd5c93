#include "platform/Clocks.h"

#include <time.h>

namespace platform {

namespace {
uint32_t Milliseconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    // Truncation to 32 bits gives the modulo-2^32 wrap of the originals.
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}
}  // namespace

uint32_t LiveMillisecondTimer() { return Milliseconds(CLOCK_MONOTONIC); }

// CLOCK_BOOTTIME counts from start-up and includes time spent suspended, as the tick count does.
uint32_t LiveTickCount() { return Milliseconds(CLOCK_BOOTTIME); }

double LiveMonotonicClock()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::time_t LiveCalendarClock() { return std::time(nullptr); }

}  // namespace platform
