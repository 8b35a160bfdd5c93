#pragma once
// The clocks: the millisecond timer (timeGetTime), the tick count since start-up (GetTickCount), the
// calendar clock in whole seconds (time) and the fine monotonic clock the benchmarks time their work
// with. Each can be replaced for a scope by a fake (tests/support/FakeClocks.h).
#include <cstdint>
#include <ctime>

#include "platform/Seam.h"

namespace platform {

struct MillisecondTimerTag {
    static uint32_t Live();
};
struct TickCountTag {
    static uint32_t Live();
};
struct CalendarClockTag {
    static std::time_t Live();
};
struct MonotonicClockTag {
    static double Live();
};

using MillisecondTimerSeam = Seam<MillisecondTimerTag, uint32_t()>;
using TickCountSeam = Seam<TickCountTag, uint32_t()>;
using CalendarClockSeam = Seam<CalendarClockTag, std::time_t()>;
using MonotonicClockSeam = Seam<MonotonicClockTag, double()>;
using ScopedTimeGetTime = MillisecondTimerSeam::Scoped;
using ScopedTickCount = TickCountSeam::Scoped;
using ScopedCalendarClock = CalendarClockSeam::Scoped;
using ScopedMonotonicClock = MonotonicClockSeam::Scoped;

// Milliseconds from a monotonic source, unsigned 32-bit, wrapping modulo 2^32.
inline uint32_t timeGetTime() { return MillisecondTimerSeam::Call(); }
// Milliseconds since the system started, unsigned 32-bit, wrapping modulo 2^32.
inline uint32_t GetTickCount() { return TickCountSeam::Call(); }
// The calendar clock in whole seconds, as the C library's time().
inline std::time_t CalendarTime() { return CalendarClockSeam::Call(); }
// Seconds from a monotonic source with nanosecond resolution; only differences mean anything. A
// double keeps nanoseconds exact for over 100 days of uptime.
inline double MonotonicSeconds() { return MonotonicClockSeam::Call(); }

// Elapsed milliseconds between two 32-bit readings, correct across one wrap.
inline uint32_t ElapsedMs(uint32_t start, uint32_t end) { return end - start; }

}  // namespace platform
