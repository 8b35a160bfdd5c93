#pragma once
// The clock the cores run at, as opposed to the time-stamp counter's fixed rate: a chain of dependent
// additions (one core cycle each, bench/AdditionChain.h) timed against the time-stamp counter.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Machine.h"

namespace bench {

namespace runningclock {

// Each measurement runs the chain for at least this long, by the time-stamp counter.
inline constexpr double kMinMs = 20.0;
// Measurements taken; the fastest counts.
inline constexpr int kRepeat = 5;

// Runs rounds × kChainAdditionsPerRound dependent additions.
using Chain = std::function<void(uint64_t rounds)>;

// The additions per microsecond of `chain` on the calling thread, timed by machine.readTsc at
// tscMHz: the rounds grown until one run lasts kMinMs, then the fastest of kRepeat runs of that many.
// None when tscMHz is not positive or the counter did not advance.
std::optional<double> ChainMHz(const platform::Machine& machine, double tscMHz, const Chain& chain);

// ChainMHz of the real chain, on one thread pinned to one processor (on the calling thread when no
// thread can be pinned and started).
std::optional<double> MeasureRunningClockMHz(const platform::Machine& machine, double tscMHz, std::optional<int> cpu = std::nullopt);

}  // namespace runningclock

}  // namespace bench
