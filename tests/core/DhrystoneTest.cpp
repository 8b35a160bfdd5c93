#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "bench/Dhrystone.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

namespace {

// Sees the state at the end of every pass (IntLoc1, IntLoc2, IntLoc3, BoolGlob, IntGlob).
struct PassRecorder {
    std::vector<std::vector<int32_t>> passEnds;
    template <typename... T>
    void OuterEnd(T&... values) { passEnds.push_back({static_cast<int32_t>(values)...}); }
    void RareBranch() { ADD_FAILURE() << "the character loop's branch is never taken"; }
};

// Opens the records to the tests; record number failAllocationNumber (from 1) cannot be had.
struct OpenDhrystone : CDhrystone {
    using CDhrystone::CDhrystone;
    using CDhrystone::PtrGlb;
    int failAllocationNumber = 0, allocations = 0;
    std::unique_ptr<Record> AllocateRecord() override
    {
        return ++allocations == failAllocationNumber ? nullptr : CDhrystone::AllocateRecord();
    }
};

}  // namespace

TEST(Dhrystone, EveryPassEndsInTheSameStateAndAFailedAllocationIsReportedAndRatedZero)
{
    const platform::Machine machine = platform::FakeMachine();
    for (int failing : {0, 1, 2}) {
        OpenDhrystone d(machine);
        d.failAllocationNumber = failing;
        PassRecorder r;
        const uint32_t rating = d.RunPasses(failing ? 10 : 1000, r);
        EXPECT_EQ(r.passEnds, std::vector<std::vector<int32_t>>(failing ? 0 : 1000, {7, 39, 9, 1, 5}));
        EXPECT_EQ(d.PtrGlb, nullptr);  // the records are released
        EXPECT_TRUE(!failing || rating == 0u);
        EXPECT_EQ(d.Failure(), failing ? BenchFailure::DhrystoneMemory : BenchFailure::None);
        EXPECT_STREQ(BenchFailureMessage(d.Failure()),
                     failing ? "Error !\n\nVext is unable to allocate memory for the Dhrystone benchmark !" : "");
    }
}

TEST(Dhrystone, RatingIsThePassesPerSecondOfTheMainLoopLessTheEmptyOne)
{
    // Readings: empty loop start and end, main loop start and end (seconds of the monotonic clock).
    const struct {
        std::vector<double> clock;
        uint32_t passes, rating;
    } cases[] = {
        {{10, 10.25, 20, 20.3125}, CDhrystone::kPasses, 80000},  // 0.0625 s
        {{10, 10.5, 20, 21.5}, CDhrystone::kPasses, 5000},       // 1 s
        {{10, 10.5, 20, 23.5}, 20'000, 6},                       // 3 s: truncated
        {{10, 12, 20, 21}, 20'000, 20},                          // the empty loop took longer: main loop alone
        {{10, 10, 20, 20}, 20'000, 0},                           // a clock that stands still: no rating
        {{10, 10, 20, 20 + 1e-12}, CDhrystone::kPasses, std::numeric_limits<uint32_t>::max()},  // saturated
    };
    for (const auto& c : cases) {
        int reads = 0;
        platform::Machine machine = platform::FakeMachine();
        machine.monotonicSeconds = [&] { return c.clock[std::min(reads++, 3)]; };
        CDhrystone d(machine);
        bench::NoProbe p;
        EXPECT_EQ(d.RunPasses(c.passes, p), c.rating) << c.clock[3];
        EXPECT_EQ(reads, 4);  // nothing else reads the clock
        EXPECT_EQ(d.LastMainLoopSeconds(), c.clock[3] - c.clock[2]);
    }
}
