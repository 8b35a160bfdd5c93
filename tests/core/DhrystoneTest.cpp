#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "bench/Dhrystone.h"
#include "platform/Clocks.h"
#include "platform/UserPrompt.h"
#include "tests/core/RecordingPrompt.h"

using platform::ScopedCalendarClock;
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
    ScopedCalendarClock clock(ScriptedClock<std::time_t>{100, 100, 100, 102});
    OpenDhrystone d;
    PassRecorder r;
    d.RunPasses(1000, r);
    ASSERT_EQ(r.passEnds.size(), 1000u);
    for (const auto& end : r.passEnds) ASSERT_EQ(end, (std::vector<int32_t>{7, 39, 9, 1, 5}));
    EXPECT_EQ(r.rareBranches, 0);  // the character loop's branch is never taken
    EXPECT_EQ(d.PtrGlb, nullptr);
}

TEST(Dhrystone, RatingComesFromTheCalendarClockCorrectedByTheEmptyLoop)
{
    // 20,000 passes keep the test short: the rate is then 20,000 / benchTime / 1000.
    const struct {
        std::vector<std::time_t> clock;
        int rating;
    } cases[] = {
        {{1000, 1000, 1000, 1004}, 5},   // empty loop within one second, main loop 4 s
        {{1000, 1001, 2000, 2003}, 10},  // empty loop 1 s, main loop 3 s: benchTime 2
        {{1000, 1002, 2000, 2001}, 20},  // the empty loop seemed longer: rated as one second
    };
    for (const auto& c : cases) {
        ScriptedClock<std::time_t> script(c.clock);
        int reads = 0;
        ScopedCalendarClock clock([&] { ++reads; return script(); });
        CDhrystone d;
        bench::NoProbe p;
        EXPECT_EQ(d.RunPasses(20'000, p), c.rating);
        EXPECT_EQ(reads, 4);  // nothing else reads the clock
    }
    // Both divisions truncate, and a time of 0 or less never divides by zero.
    const std::pair<int, int> ratings[] = {{1, 5000}, {3, 1666}, {6, 833}, {7, 714}, {5000, 1}, {5001, 0}, {0, 5000}, {-3, 5000}};
    for (auto [seconds, rating] : ratings) EXPECT_EQ(CDhrystone::Rating(seconds), rating) << seconds;
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
        const E got = out;
        EXPECT_EQ(got, expected) << in << " " << intGlob;
    }
    // Compares the second character of one string with the third of the other, then the strings.
    EXPECT_FALSE(d.Func2("DHRYSTONE PROGRAM, 1'ST STRING", "DHRYSTONE PROGRAM, 2'ND STRING"));
    EXPECT_TRUE(d.Func2("DHRYSTONE PROGRAM, 2'ND STRING", "DHRYSTONE PROGRAM, 1'ST STRING"));
}

TEST(Dhrystone, AllocationFailureIsReportedAndRatedZero)
{
    for (int failing : {1, 2}) {
        SCOPED_TRACE(failing);
        RecordingPrompt prompt;
        platform::ScopedPrompt scoped(prompt);
        ScopedCalendarClock clock(ScriptedClock<std::time_t>{0, 0, 0, 1});
        OpenDhrystone d;
        d.failAllocationNumber = failing;
        PassRecorder r;
        EXPECT_EQ(d.RunPasses(10, r), 0);
        EXPECT_TRUE(r.passEnds.empty());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].first,
                  "Error !\n\nVext is unable to allocate memory for the Dhrystone benchmark !");
        EXPECT_EQ(prompt.messages[0].second, platform::MessageIcon::None);
    }
}
