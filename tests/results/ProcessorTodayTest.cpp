// The lines of the processor's facts: a recorded processor's terminal list has no clock lines it
// cannot measure, the page's list names them "N/A".
#include <gtest/gtest.h>

#include <algorithm>

#include "cpu/RecordedCpuid.h"
#include "platform/CpuidDump.h"
#include "results/ProcessorToday.h"
#include "tests/support/FakeMachine.h"

TEST(ProcessorToday, RecordedProcessorsClockLines)
{
    const platform::Machine machine = cpu::WithRecordedCpuid(
        platform::FakeMachine(), platform::LoadCpuidDump(std::string(VEXT_SHARED_DUMPS) + "/intel-0480-486dx4.txt"));
    const results::ProcessorToday today = results::ReadProcessorToday(machine);
    const auto measured = [](const results::FactLine& line) { return line.label == "Measured clock" && line.value == "N/A"; };
    EXPECT_EQ(0, std::ranges::count_if(results::ProcessorLines(today), measured));
    EXPECT_EQ(1, std::ranges::count_if(results::ProcessorLines(today, true), measured));
}
