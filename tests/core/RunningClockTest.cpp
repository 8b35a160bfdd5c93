// The running clock's arithmetic, on a fake counter that the fake chain advances: a core at exactly
// twice the counter's rate, so the exact answer is known and nothing depends on this machine's time.
#include <gtest/gtest.h>

#include <vector>

#include "bench/AdditionChain.h"
#include "bench/RunningClock.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

TEST(RunningClock, TheFastestRunOfAtLeastTwentyMsCountsAdditionsPerMicrosecond)
{
    platform::Machine machine = platform::FakeMachine();
    uint64_t tsc = 0;
    machine.readTsc = [&tsc] { return tsc; };
    std::vector<uint64_t> calls;
    // Two additions a counter tick; every repeat of a count but the second is slowed by a quarter (an
    // interruption), so only the fastest of them gives the clock.
    auto chain = [&](uint64_t rounds) {
        calls.push_back(rounds);
        tsc += rounds * kChainAdditionsPerRound / 2;
        if (calls.size() >= 2 && rounds == calls[calls.size() - 2] && calls.size() != 4)
            tsc += rounds * kChainAdditionsPerRound / 6;
    };
    const std::optional<double> mhz = runningclock::ChainMHz(machine, 1000.0, chain);
    ASSERT_TRUE(mhz);
    EXPECT_DOUBLE_EQ(*mhz, 2000.0);
    // Five timed runs of the count that first lasted at least 20 ms (20 million ticks at 1000 MHz).
    ASSERT_EQ(calls.size(), 7u);
    EXPECT_GE(calls.back() * kChainAdditionsPerRound / 2, 20'000'000u);
    EXPECT_EQ(std::vector<uint64_t>(calls.begin() + 1, calls.end()), std::vector<uint64_t>(6, calls.back()));

    // Without a counter rate, or a counter that stands still, nothing is measured.
    EXPECT_FALSE(runningclock::ChainMHz(machine, 0, chain));
    machine.readTsc = [] { return uint64_t{7}; };
    EXPECT_FALSE(runningclock::ChainMHz(machine, 1000.0, [](uint64_t) {}));
}

TEST(RunningClock, TheChainAddsOnceAnAddition) { EXPECT_EQ(AddChain(5, 3), 5 + 3 * kChainAdditionsPerRound); }
