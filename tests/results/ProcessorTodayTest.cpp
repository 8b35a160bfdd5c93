// The lines of the processor's facts: a recorded processor's terminal list has no clock lines it
// cannot measure, the page's list names them "N/A".
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

#include "cpu/RecordedCpuid.h"
#include "platform/CpuidDump.h"
#include "results/ProcessorToday.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/HybridMachine.h"

TEST(ProcessorToday, RecordedProcessorsClockLines)
{
    const platform::Machine machine = cpu::WithRecordedCpuid(
        platform::FakeMachine(), platform::LoadCpuidDump(std::string(VEXT_SHARED_DUMPS) + "/intel-0480-486dx4.txt"));
    const results::ProcessorToday today = results::ReadProcessorToday(machine);
    const auto measured = [](const results::FactLine& line) { return line.label == "Measured clock" && line.value == "N/A"; };
    EXPECT_EQ(0, std::ranges::count_if(results::ProcessorLines(today), measured));
    EXPECT_EQ(1, std::ranges::count_if(results::ProcessorLines(today, true), measured));
}

// A live hybrid processor: each core type's running clock is measured on a processor of that type,
// here an efficiency core whose counter runs twice as fast per chain, so its clock reads half.
TEST(ProcessorToday, EachCoreTypeRunsAtItsOwnClock)
{
    platform::Machine machine = platform::HybridMachine(std::string(VEXT_SHARED_DUMPS) + "/intel-b0671-core-i5-raptor-lake.txt",
                                                        {{0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {3, 0, 3}});
    machine.readTsc = [tsc = std::make_shared<std::atomic<uint64_t>>(0)] { return *tsc += (platform::PinnedCpu() >= 2 ? 2 : 1) * 200'000'000ull; };
    const results::ProcessorToday today = results::ReadProcessorToday(machine);
    ASSERT_EQ(2u, today.coreTypeRunningMHz.size());
    ASSERT_TRUE(today.coreTypeRunningMHz[0] && today.coreTypeRunningMHz[1]);
    EXPECT_DOUBLE_EQ(*today.coreTypeRunningMHz[0], 2 * *today.coreTypeRunningMHz[1]);
    const nlohmann::json types = results::ProcessorTodayJson(today, {})["topology"]["core_types"];
    EXPECT_EQ(std::lround(*today.coreTypeRunningMHz[1]), types[1]["running_clock_mhz"]);
    const auto lines = results::ProcessorLines(today);
    EXPECT_EQ(1, std::ranges::count_if(lines, [](const results::FactLine& line) { return line.label == "Running clock, efficiency cores"; }));
}
