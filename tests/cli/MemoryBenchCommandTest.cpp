// bench latency and bench bandwidth: their refusals, and their list and JSON on recorded values.
#include <gtest/gtest.h>

#include "app/cli/MemoryBenchReport.h"
#include "platform/CpuTopology.h"
#include "tests/cli/CommandOutcome.h"

TEST(MemoryBenchCommand, BadUsageMeasuresNothing)
{
    platform::ScopedAllowedCpus machine([] { return std::vector<platform::LogicalCpu>{{0, 0, 0}, {1, 0, 1}}; });
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"bandwidth", "--threads", "3"}, "vext-cli bench bandwidth: --threads 3: this process may run on 2 logical processors\n"},
        {{"bandwidth", "--threads", "0"}, "vext-cli bench bandwidth: --threads: a number of threads or \"all\" is needed\n"},
        {{"bandwidth", "--threads", "2x"}, "vext-cli bench bandwidth: --threads: a number of threads or \"all\" is needed\n"},
        {{"latency", "--repeat", "1"}, "vext-cli bench latency: --repeat: Value 1 not in range 2 to 100\n"}};
    for (const auto& [args, error] : cases) {
        const Outcome o = RunCaptured("bench", args);
        EXPECT_EQ(std::make_tuple(o.status, o.out, o.err.substr(0, o.err.find('\n') + 1)), std::make_tuple(2, "", error));
    }
}

// Figures of a run on an AMD EPYC virtual machine (32 Kb L1 data, 1 Mb L2, 32 Mb L3), two repeats each.
TEST(MemoryBenchCommand, ListsAndJsonOfRecordedRuns)
{
    LatencyReport latency{2598, 64, 2, {}, {}, {}};
    const double ns[] = {1.10, 1.09, 1.09, 1.09, 4.88, 3.83, 3.85, 5.10, 8.56, 13.40, 15.17, 17.10, 85.94, 128.30};
    std::vector<uint64_t> blocks;
    for (size_t i = 0; i < std::size(ns); ++i) {
        blocks.push_back(4096ull << i);
        latency.rows.push_back({blocks.back(), ns[i], 4.0, {ns[i] * 1.06, ns[i]}, 1000u << i});
    }
    latency.rows.back() = {blocks.back(), 0, 0, {}, 0};  // the largest block could not be had
    using cpu::CacheType;
    latency.levels = bench::MemoryLevels({{1, CacheType::Data, 32768, 64, {}, {}}, {2, CacheType::Unified, 1 << 20, 64, {}, {}},
                                          {3, CacheType::Unified, 32 << 20, 64, {}, {}}}, 0);
    latency.plateaus = bench::PlateauRows(latency.levels, blocks);

    BandwidthReport bandwidth{memkernels::VectorWidth::Avx512, {0, 1}, true, 2, {}, 128 << 20, 2, {19.43, 16.64, 16.04}, {30.94, 17.34, 0}, {}};
    bandwidth.rows = {{16384, {{{146.33, 9.4, {146.33, 125.0}}, {100.87, 16.3, {100.87, 80.0}}, {152.01, 0.5, {152.01, 151.0}}}}},
                      {128 << 20, {{{30.94, 1.0, {30.94, 30.5}}, {17.34, 2.0, {17.34, 17.0}}, {0, 0, {}}}}}};

    testing::internal::CaptureStdout();
    PrintLatencyHeading(latency);
    for (const latency::Row& row : latency.rows) PrintLatencyRow(row, latency.clockMHz);
    PrintLatencyLevels(latency);
    PrintBandwidthHeading(bandwidth);
    for (const bandwidth::Row& row : bandwidth.rows) PrintBandwidthRow(row);
    PrintBandwidthMemory(bandwidth);
    const std::string lists = testing::internal::GetCapturedStdout();
    ExpectGolden("cli/memory-bench.txt", lists + LatencyJson(latency).dump(1) + "\n" + BandwidthJson(bandwidth).dump(1) + "\n" +
                                             UnmeasuredText(latency) + "\n" + UnmeasuredText(bandwidth) + "\n");
}
