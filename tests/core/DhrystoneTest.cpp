#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "bench/Dhrystone.h"
#include "platform/Clocks.h"
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"

using platform::ScopedMonotonicClock;
using platform::ScriptedClock;

namespace {

struct PassRecorder {
    std::vector<std::vector<int32_t>> passEnds;  // IntLoc1, IntLoc2, IntLoc3, BoolGlob, IntGlob
    int rareBranches = 0;
    template <typename... T>
    void OuterEnd(T&... values)
    {
        passEnds.push_back({static_cast<int32_t>(values)...});
    }
    void RareBranch() { ++rareBranches; }
};

// Opens the procedures and records to the tests.
class OpenDhrystone : public CDhrystone {
public:
    using CDhrystone::Func2;
    using CDhrystone::IntGlob;
    using CDhrystone::Proc6;
    using CDhrystone::PtrGlb;
    int failAllocationNumber = 0;  // 1: the first record fails, 2: the second
    int allocations = 0;

protected:
    std::unique_ptr<Record> AllocateRecord() override
    {
        if (++allocations == failAllocationNumber) return nullptr;
        return CDhrystone::AllocateRecord();
    }
};

}  // namespace

TEST(Dhrystone, EveryPassEndsInTheSameStateAndReleasesItsRecords)
{
    OpenDhrystone d;
    PassRecorder r;
    d.RunPasses(1000, r);
    ASSERT_EQ(r.passEnds.size(), 1000u);
    for (const auto& end : r.passEnds) ASSERT_EQ(end, (std::vector<int32_t>{7, 39, 9, 1, 5}));
    EXPECT_EQ(r.rareBranches, 0);  // the character loop's branch is never taken
    EXPECT_EQ(d.PtrGlb, nullptr);
}

TEST(Dhrystone, RatingIsThePassesPerSecondOfTheMainLoopLessTheEmptyOne)
{
    // Readings: empty loop start and end, main loop start and end (seconds of the monotonic clock).
    constexpr uint32_t kMax = std::numeric_limits<uint32_t>::max();
    const struct {
        std::vector<double> clock;
        uint32_t passes, rating;
    } cases[] = {
        {{10, 10.25, 20, 20.3125}, CDhrystone::kPasses, 80000},  // 0.0625 s
        {{10, 10.5, 20, 21.5}, CDhrystone::kPasses, 5000},       // 1 s
        {{10, 10.5, 20, 23.5}, 20'000, 6},                       // 3 s: truncated
        {{10, 12, 20, 21}, 20'000, 20},                          // the empty loop took longer: main loop alone
        {{10, 10, 20, 20}, 20'000, 0},                           // a clock that stands still: no rating
        {{10, 10, 20, 20 + 1e-12}, CDhrystone::kPasses, kMax},   // saturated, not wrapped
    };
    for (const auto& c : cases) {
        ScriptedClock<double> script(c.clock);
        int reads = 0;
        ScopedMonotonicClock clock([&] { ++reads; return script(); });
        CDhrystone d;
        bench::NoProbe p;
        EXPECT_EQ(d.RunPasses(c.passes, p), c.rating) << c.clock[3];
        EXPECT_EQ(reads, 4);  // nothing else reads the clock
        EXPECT_EQ(d.LastMainLoopSeconds(), c.clock[3] - c.clock[2]);
    }
    EXPECT_EQ(CDhrystone::Rating(-1, -1), 0u);
}

TEST(Dhrystone, ProceduresFollowTheirTables)
{
    OpenDhrystone d;
    volatile CDhrystone::Enumeration out = CDhrystone::Ident5;
    using E = CDhrystone::Enumeration;
    const std::tuple<int, E, E> table[] = {{5, E::Ident1, E::Ident1}, {5, E::Ident2, E::Ident4}, {5, E::Ident3, E::Ident2},
                                           {5, E::Ident4, E::Ident4}, {5, E::Ident5, E::Ident3}, {101, E::Ident2, E::Ident1}};
    for (auto [intGlob, in, expected] : table) {
        d.IntGlob = intGlob;
        d.Proc6(in, &out);
        EXPECT_EQ(E(out), expected) << in << " " << intGlob;
    }
    // Compares the second character of one string with the third of the other, then the strings.
    EXPECT_FALSE(d.Func2("DHRYSTONE PROGRAM, 1'ST STRING", "DHRYSTONE PROGRAM, 2'ND STRING"));
    EXPECT_TRUE(d.Func2("DHRYSTONE PROGRAM, 2'ND STRING", "DHRYSTONE PROGRAM, 1'ST STRING"));
}

TEST(Dhrystone, AllocationFailureIsReportedAndRatedZero)
{
    for (int failing : {1, 2}) {
        RecordingPrompt prompt;
        platform::ScopedPrompt scoped(prompt);
        OpenDhrystone d;
        d.failAllocationNumber = failing;
        PassRecorder r;
        EXPECT_EQ(d.RunPasses(10, r), 0u);
        EXPECT_TRUE(r.passEnds.empty());
        using Messages = std::vector<std::pair<std::string, platform::MessageIcon>>;
        EXPECT_EQ(prompt.messages, (Messages{{"Error !\n\nVext is unable to allocate memory for the Dhrystone benchmark !",
                                              platform::MessageIcon::None}}));
    }
}
