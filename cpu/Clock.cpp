#include "cpu/Clock.h"

#include <iterator>
#include <limits>

#include "platform/TextFormat.h"

namespace cpu {

namespace {

constexpr int32_t kAmdClocks[] = {
    75,  90,  100, 120, 133, 150, 160, 166, 180, 188, 200, 233,  266,  300, 333, 350, 366, 380, 400,
    433, 450, 466, 475, 500, 533, 550, 600, 650, 700, 750, 800, 850, 900, 950, 1000, 1100, 1200, 0,
};
constexpr int32_t kIntelClocks[] = {
    60,  66,  75,  90,  100, 120, 133, 150, 166, 180, 200, 233, 266,  300,  333,  350,
    366, 400, 433, 450, 466, 500, 533, 550, 566, 600, 633, 650, 667,  700,  733,  750,
    766, 800, 833, 850, 866, 900, 933, 1000, 1133, 1300, 1400, 1500, 1700, 2000, 0,
};
static_assert(std::size(kAmdClocks) == 37 + 1);
static_assert(std::size(kIntelClocks) == 46 + 1);

// Executing CPUID first keeps earlier instructions from drifting past the counter read.
uint64_t SerialisedTsc(const platform::Machine& machine)
{
    (void)machine.Cpuid(0);
    return machine.readTsc();
}

// Signed, so that a reading just before the timer's wrap still counts as earlier.
int32_t Since(uint32_t start, uint32_t now) { return static_cast<int32_t>(now - start); }

}  // namespace

const std::span<const int32_t> kAmdStandardClocks{kAmdClocks};
const std::span<const int32_t> kIntelStandardClocks{kIntelClocks};

ClockReadings TakeClockReadings(const platform::Machine& machine, const std::function<bool()>& stop)
{
    ClockReadings r;
    r.t0 = machine.timeGetTime();
    // Start on a fresh timer step: at least 2 ms after the first reading.
    do {
        r.t1 = machine.timeGetTime();
    } while (Since(r.t0, r.t1) <= 1);
    r.c1 = SerialisedTsc(machine);
    do {
        r.t2 = machine.timeGetTime();
    } while (Since(r.t1, r.t2) <= 1000 && !(stop && stop()));
    r.c2 = SerialisedTsc(machine);
    return r;
}

int32_t ClockMHzFromReadings(const ClockReadings& r)
{
    // The whole 64-bit count is used, so clocks above 4.29 GHz do not wrap. A counter that went
    // backwards (another core's, or reset) measures nothing.
    if (r.c2 < r.c1) return 0;
    const uint64_t mhz = (r.c2 - r.c1) / 1000000u;
    constexpr uint64_t kLargest = static_cast<uint64_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(mhz > kLargest ? kLargest : mhz);
}

int32_t MeasureClockMHz(const platform::Machine& machine, const std::function<bool()>& stop)
{
    return ClockMHzFromReadings(TakeClockReadings(machine, stop));
}

int32_t MatchClockTable(std::span<const int32_t> table, int32_t mhz)
{
    for (int32_t v : table) {
        if (v == 0) break;
        // Widened so that a measurement near the int32_t limits cannot overflow the bounds.
        const int64_t m = mhz;
        if (int64_t{v} - 3 <= m && m <= int64_t{v} + 3) return v;
    }
    return -1;
}

std::string FormatClockText(int32_t measuredMHz, int32_t standardMHz)
{
    if (standardMHz == -1) return platform::TextFormat("%d MHz (oc)", measuredMHz);
    return platform::TextFormat("%d MHz", standardMHz);
}

}  // namespace cpu
