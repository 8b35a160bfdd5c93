#pragma once
// The loop the running clock is measured with: integer additions, each adding to the result of the one
// before, so that no two can run in the same cycle and each takes one cycle of the core (on every x86
// since the 486). Compiled with the other kernels; on x86 a literal instruction sequence.
#include <cstdint>

namespace bench {

// Additions per round of the chain.
inline constexpr uint64_t kChainAdditionsPerRound = 64;

// Runs rounds × kChainAdditionsPerRound dependent additions of 1 to `value` and returns the sum.
// rounds must be at least 1.
uint64_t AddChain(uint64_t value, uint64_t rounds);

}  // namespace bench
