// Every step of every command stays within its memory cap, summed over the threads that run it at
// once: on a made-up 128-thread machine with 20 Gb available, in a control group of 256 Mb.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "app/cli/MemoryBenchPrinting.h"
#include "bench/MemoryPlans.h"
#include "results/MemoryBenchReport.h"
#include "bench/ThreadedSuites.h"
#include "tests/cli/CommandOutcome.h"

using namespace cli;

using namespace bench;

using namespace results;

namespace {

constexpr uint64_t Kb = 1 << 10, Mb = 1 << 20, Gb = 1ull << 30;

class MemoryLimits : public testing::Test {
protected:
    uint64_t available_ = 20 * Gb;
    platform::CgroupLimits cgroup_{256 * Mb, std::nullopt};
    MemoryLimits()
    {
        machine_.memoryStatus = [this] { return platform::MemoryStatus{24 * Gb, available_, 0, 0}; };
        machine_.cgroupLimits = [this] { return cgroup_; };
        for (int i = 0; i < 128; ++i) cpus_.push_back({i, 0, i % 64});
        machine_.allowedCpus = [this] { return cpus_; };
    }
    std::vector<platform::LogicalCpu> cpus_;
    bench::Context context_ = bench::FakeContext();
    platform::Machine& machine_ = context_.machine;
};

}  // namespace

TEST_F(MemoryLimits, NoStepMapsMoreThanAQuarterOfWhatTheGroupAllows)
{
    const uint64_t cap = 64 * Mb;  // a quarter of 256 Mb
    const uint64_t largestCache = 32 * Mb;
    const std::vector<bench::MemoryLevel> levels = {{"L3", 0, largestCache}, {"memory", largestCache, 0}};

    // Latency: the block and its table of the lines' order (4 bytes a 64-byte line) on one thread.
    const std::vector<uint64_t> latency = LatencyBlockSizes(machine_, largestCache, 64);
    EXPECT_EQ(latency.back(), 32 * Mb);
    EXPECT_LE(latency.back() + latency.back() / 64 * 4, cap);

    // Bandwidth on one thread, and its closing figure on all 128: that block is for 128 at once.
    const BandwidthPlan one = PlanBandwidth(machine_, 1, 128, levels, largestCache);
    EXPECT_EQ(one.sizes.back(), 64 * Mb);
    EXPECT_EQ(std::make_tuple(one.memoryBlock, one.plateauBlock), std::make_tuple(std::optional(512 * Kb), std::optional(64 * Mb)));
    const BandwidthPlan all = PlanBandwidth(machine_, 128, 128, levels, largestCache);
    EXPECT_EQ(all.sizes.back() * 128, cap);
    EXPECT_EQ(all.memoryBlock, std::nullopt);  // no block of 128 at once reaches memory: no memory figures

    EXPECT_EQ(static_cast<uint64_t>(PreciseCacheBlockSizes(machine_, 512 * Mb).back()), cap);

    // The memory figures name the block they used, and the plateau's that they could not.
    BandwidthReport report;
    report.memoryBlockBytes = one.memoryBlock, report.plateauBlockBytes = one.plateauBlock, report.allThreads = 128;
    testing::internal::CaptureStdout();
    PrintBandwidthMemory(report);
    const std::string memory = testing::internal::GetCapturedStdout();
    EXPECT_EQ(memory.substr(0, memory.find("  ")), "\nMemory, the 512 Kb blocks");
    EXPECT_EQ(memory.substr(memory.rfind('(')), "(not the plateau's 64 Mb blocks: 128 threads may not have blocks that large at once)\n");
    EXPECT_EQ(BandwidthJson(report)["memory"]["plateau_block_kb"], 65536);

    // The threaded suites: 128 threads and the lone one fit 256 Kb each; in 16 Mb, 15 of them do.
    std::string note;
    std::vector<int> cpus(128);
    EXPECT_EQ(ThreadedCpusWithinCap(machine_, cpus, note).size(), 128u);
    EXPECT_EQ(note, "");
    cgroup_.memoryLeft = 16 * Mb;
    EXPECT_EQ(ThreadedCpusWithinCap(machine_, cpus, note).size(), 15u);
    EXPECT_EQ(note, "128 threads need more than a quarter of the 16 Mb free (256 Kb each): running on 15");
    EXPECT_LE(16 * kThreadedBytesPerThread, 4 * Mb);

    // Without a control group the kernel's figure counts, and no block passes 1 Gb.
    cgroup_.memoryLeft.reset();
    available_ = 64 * Gb;
    EXPECT_EQ(LatencyBlockSizes(machine_, 512 * Mb, 64).back(), Gb);
    EXPECT_EQ(PlanBandwidth(machine_, 128, 128, levels, largestCache).sizes.back(), 128 * Mb);
}

// The closing figure's threads run in a group that allows 1.5 processors' time: the run says so.
TEST_F(MemoryLimits, ACpuQuotaBelowTheThreadsIsNamedOnStandardErrorAndInTheRun)
{
    cgroup_ = {0, 1.5};  // no memory left: no block is measured
    const Outcome o = RunCaptured("bench", {"bandwidth", "--json"}, context_);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "vext-cli bench bandwidth: the control group allows 1.50 processors' time to 128 threads: the figures "
                     "measure that quota, not the machine\n");
    EXPECT_EQ(nlohmann::json::parse(o.out)["run"]["cpu_quota"], 1.5);
    cgroup_ = {0, 128.0};
    const Outcome enough = RunCaptured("bench", {"bandwidth", "--json"}, context_);
    EXPECT_EQ(std::make_tuple(enough.err, nlohmann::json::parse(enough.out)["run"].contains("cpu_quota")), std::make_tuple("", false));
}
