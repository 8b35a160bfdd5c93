#pragma once
// Clock measurement with the time-stamp counter, and the vendors' standard clocks.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "platform/Machine.h"

namespace cpu {

// Standard clocks in MHz, ascending, ended by 0.
extern const std::span<const int32_t> kAmdStandardClocks;    // 37 values and the 0
extern const std::span<const int32_t> kIntelStandardClocks;  // 46 values and the 0

// The readings of one measurement: the millisecond timer where the window opens (t1, after the
// alignment wait from t0) and closes (t2), and the full time-stamp counter at both ends.
struct ClockReadings {
    uint32_t t0 = 0;
    uint32_t t1 = 0;
    uint32_t t2 = 0;
    uint64_t c1 = 0;
    uint64_t c2 = 0;
};

// Waits for a timer step, then counts cycles over more than 1000 ms (about one second, busy). `stop`,
// when given, is asked as the count goes on: true ends it at once, and the readings mean nothing.
ClockReadings TakeClockReadings(const platform::Machine& machine, const std::function<bool()>& stop = {});
// Cycles counted divided by 1,000,000, rounded down; 0 when the counter went backwards, and never
// more than the largest int32_t.
int32_t ClockMHzFromReadings(const ClockReadings& readings);
// TakeClockReadings, then ClockMHzFromReadings.
int32_t MeasureClockMHz(const platform::Machine& machine, const std::function<bool()>& stop = {});

// The first table value v with v - 3 <= mhz <= v + 3, or -1.
int32_t MatchClockTable(std::span<const int32_t> table, int32_t mhz);

// "%d MHz" of the standard clock, or "%d MHz (oc)" of the measured one when standard is -1.
std::string FormatClockText(int32_t measuredMHz, int32_t standardMHz);

}  // namespace cpu
