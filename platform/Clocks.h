#pragma once
// The clocks: the millisecond timer (timeGetTime), the tick count since start-up (GetTickCount), the
// calendar clock in whole seconds (time) and the fine monotonic clock the benchmarks time their work
// with. The machine (platform/Machine.h) offers them; tests give it fakes (tests/support/FakeClocks.h).
#include <cstdint>
#include <ctime>

namespace platform {

// Milliseconds from a monotonic source, unsigned 32-bit, wrapping modulo 2^32.
uint32_t LiveMillisecondTimer();
// Milliseconds since the system started, unsigned 32-bit, wrapping modulo 2^32.
uint32_t LiveTickCount();
// The calendar clock in whole seconds, as the C library's time().
std::time_t LiveCalendarClock();
// Seconds from a monotonic source with nanosecond resolution; only differences mean anything. A
// double keeps nanoseconds exact for over 100 days of uptime.
double LiveMonotonicClock();

// Elapsed milliseconds between two 32-bit readings, correct across one wrap.
inline uint32_t ElapsedMs(uint32_t start, uint32_t end) { return end - start; }

}  // namespace platform
