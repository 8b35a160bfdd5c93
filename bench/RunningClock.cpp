#include "bench/RunningClock.h"

#include <algorithm>

#include "bench/AdditionChain.h"
#include "bench/PinnedThreads.h"
#include "bench/Precise.h"

namespace bench {

namespace runningclock {

std::optional<double> ChainMHz(const platform::Machine& machine, double tscMHz, const Chain& chain)
{
    if (!(tscMHz > 0)) return std::nullopt;
    // Counter ticks per millisecond: tscMHz × 1000. A counter that went backwards reads 0 ms.
    auto timeChain = [&](uint32_t rounds) {
        const uint64_t start = machine.readTsc();
        chain(rounds);
        const uint64_t end = machine.readTsc();
        return end > start ? static_cast<double>(end - start) / (tscMHz * 1000.0) : 0.0;
    };
    const uint32_t rounds = precise::CacheRepetitions(kMinMs, timeChain);
    double fastestMs = 0;
    for (int i = 0; i < kRepeat; ++i) {
        const double ms = timeChain(rounds);
        if (ms > 0 && (fastestMs == 0 || ms < fastestMs)) fastestMs = ms;
    }
    if (fastestMs == 0) return std::nullopt;
    return static_cast<double>(rounds) * kChainAdditionsPerRound / (fastestMs * 1000.0);
}

std::optional<double> MeasureRunningClockMHz(const platform::Machine& machine, double tscMHz, std::optional<int> cpu)
{
    // Pinned, so that the runs time one core, and the counter is read on that core only.
    CPinnedThreads thread(machine, cpu ? std::vector<int>{*cpu} : ThreadCpus(machine, 1));
    std::optional<double> mhz;
    uint64_t sum = 0;
    auto measure = [&](int) { mhz = ChainMHz(machine, tscMHz, [&sum](uint64_t rounds) { sum = AddChain(sum, rounds); }); };
    thread.RunOrHere(measure);
    return mhz;
}

}  // namespace runningclock

}  // namespace bench
