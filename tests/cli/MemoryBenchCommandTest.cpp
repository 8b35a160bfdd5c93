// bench latency and bench bandwidth: their refusals, and their list and JSON on recorded values.
#include <gtest/gtest.h>

#include <atomic>
#include <system_error>

#include <nlohmann/json.hpp>

#include "app/cli/MemoryBenchPrinting.h"
#include "results/MemoryBenchReport.h"
#include "platform/Clocks.h"
#include "tests/cli/CommandOutcome.h"
#include "tests/core/FakeCpu.h"

using namespace bench;

using namespace cli;

using namespace cpu;

using namespace results;

namespace {

// Real runs kept small and quick: a processor whose only cache is a 4 Kb first level (blocks 4-16 Kb
// for latency, 16 Kb for bandwidth), two logical processors, and a clock that makes every timing last
// 30 ms, so that each measurement is one pass. Blocks and threads are refused through the machine.
class MemoryBenchRun : public testing::Test {
protected:
    MemoryBenchRun()
    {
        cpu_.Set(4, 0x21, 7u << 22 | 63, 7);  // leaf 4: level-1 data, 8 ways of 8 sets of 64 bytes
        context_.machine.monotonicSeconds = [this] { return reads_++ * 0.03; };
        context_.machine.cpuid = cpu_.machine.cpuid;
        context_.machine.timeGetTime = platform::SteppingClock(0, 700);
        context_.machine.readTsc = platform::SteppingTsc(0, 800000000);
    }

    Outcome Run(const std::vector<std::string>& args, std::function<bool(size_t length)> refuse)
    {
        bench::Context context = context_;
        context.machine.mapMemory = [&](size_t length) { return refuse(length) ? nullptr : context_.machine.mapMemory(length); };
        return RunCaptured("bench", args, context);
    }

    // The processor whose caches size the blocks.
    FakeCpu cpu_{"GenuineIntel", 4};
    std::atomic<int> reads_{0};
    bench::Context context_ = bench::FakeContext();
};

}  // namespace

TEST_F(MemoryBenchRun, ABlockOrAThreadThatCannotBeHadIsNamedAndEndsWithStatusTwo)
{
    Outcome o = Run({"latency", "--repeat", "2", "--json"}, [](size_t length) { return length == 8192; });
    EXPECT_EQ(o.err, "vext-cli bench latency: no memory for the 8 Kb block: its row has no value\n");
    EXPECT_EQ(o.status, 2);
    nlohmann::json json = nlohmann::json::parse(o.out);
    EXPECT_TRUE(json["rows"][0]["ns_per_load"].is_number());
    EXPECT_TRUE(json["rows"][1]["ns_per_load"].is_null());

    // Of the two threads' blocks, the second to be mapped is refused: the row has no rate, nor the
    // memory figure of all threads, which is that row's; one thread alone has its block.
    std::atomic<int> maps{0};
    o = Run({"bandwidth", "--threads", "all", "--repeat", "2", "--json"}, [&](size_t) { return ++maps == 2; });
    EXPECT_EQ(o.err, "vext-cli bench bandwidth: no memory for the 16 Kb block: its row has no value\n");
    EXPECT_EQ(o.status, 2);
    json = nlohmann::json::parse(o.out);
    EXPECT_TRUE(json["rows"][0]["copy"]["gb_per_s"].is_null());
    EXPECT_EQ(json["rows"][0]["copy"]["runs"], nlohmann::json::array());
    EXPECT_TRUE(json["memory"]["all"]["read"].is_null());
    EXPECT_TRUE(json["memory"]["single"]["read"].is_number());

    // One thread: its row and its memory figure measured, then one of the two blocks of all threads refused.
    maps = 0;
    o = Run({"bandwidth", "--repeat", "2", "--json"}, [&](size_t) { return ++maps == 3; });
    EXPECT_EQ(o.err, "vext-cli bench bandwidth: no memory for a 16 Kb block of the memory figures: they are incomplete\n");
    json = nlohmann::json::parse(o.out);
    EXPECT_TRUE(json["rows"][0]["copy"]["gb_per_s"].is_number());
    EXPECT_TRUE(json["memory"]["all"]["write"].is_null());

    o = Run({"bandwidth", "--repeat", "2"}, [](size_t) { return false; });
    EXPECT_EQ(std::make_pair(o.status, o.err), std::make_pair(0, std::string()));

    // A thread the system refuses.
    context_.machine.startThread = [starts = 0](std::function<void()> body) mutable {
        if (++starts == 2) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(std::move(body));
    };
    o = Run({"bandwidth", "--threads", "all"}, [](size_t) { return false; });
    EXPECT_EQ(std::make_tuple(o.status, o.out, o.err),
              std::make_tuple(2, "", "vext-cli bench bandwidth: only 1 of the 2 threads could be started (the system refused the others)\n"));
}

TEST(MemoryBenchCommand, BadUsageMeasuresNothing)
{
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"bandwidth", "--threads", "3"}, "vext-cli bench bandwidth: --threads 3: this process may run on 2 logical processors\n"},
        {{"bandwidth", "--threads", "0"}, "vext-cli bench bandwidth: --threads: a number of threads from 1 to 4096, or all\n"},
        {{"bandwidth", "--threads", "2x"}, "vext-cli bench bandwidth: --threads: a number of threads from 1 to 4096, or all\n"},
        {{"bandwidth", "--threads", "4097"}, "vext-cli bench bandwidth: --threads: a number of threads from 1 to 4096, or all\n"},
        {{"bandwidth", "--threads", "+1"}, "vext-cli bench bandwidth: --threads: a number of threads from 1 to 4096, or all\n"},
        {{"bandwidth", "--threads", "4096"}, "vext-cli bench bandwidth: --threads 4096: this process may run on 2 logical processors\n"},
        {{"latency", "--repeat", "1"}, "vext-cli bench latency: --repeat: Value 1 not in range 2 to 100\n"}};
    for (const auto& [args, error] : cases) {
        const Outcome o = RunCaptured("bench", args);
        EXPECT_EQ(std::make_tuple(o.status, o.out, o.err.substr(0, o.err.find('\n') + 1)), std::make_tuple(2, "", error));
    }
}

// Figures of a run on an AMD EPYC virtual machine (32 Kb L1 data, 1 Mb L2, 32 Mb L3), two repeats each.
TEST(MemoryBenchCommand, ListsAndJsonOfRecordedRuns)
{
    LatencyReport latency{2598, 64, 2, {}, {}, {}, {}};
    const double ns[] = {1.10, 1.09, 1.09, 1.09, 4.88, 3.83, 3.85, 5.10, 8.56, 13.40, 15.17, 17.10, 85.94, 128.30};
    std::vector<uint64_t> blocks;
    for (size_t i = 0; i < std::size(ns); ++i) {
        blocks.push_back(4096ull << i);
        latency.rows.push_back({blocks.back(), ns[i], 4.0, {ns[i] * 1.06, ns[i]}, 1000u << i});
    }
    latency.rows.back() = latency::Row{};  // the largest block could not be had
    latency.rows.back().blockBytes = blocks.back();
    using cpu::CacheType;
    latency.levels = bench::MemoryLevels({{1, CacheType::Data, 32768, 64, {}, {}}, {2, CacheType::Unified, 1 << 20, 64, {}, {}},
                                          {3, CacheType::Unified, 32 << 20, 64, {}, {}}}, 0);
    latency.plateaus = bench::PlateauRows(latency.levels, blocks);

    BandwidthReport bandwidth{memkernels::VectorWidth::Avx512, {0, 1}, true, 2, {}, 128 << 20, 2, {19.43, 16.64, 16.04}, {30.94, 17.34, std::nullopt}, "", {}};
    bandwidth.rows = {{16384, {{{146.33, 9.4, {146.33, 125.0}}, {100.87, 16.3, {100.87, 80.0}}, {152.01, 0.5, {152.01, 151.0}}}}},
                      {128 << 20, {{{30.94, 1.0, {30.94, 30.5}}, {17.34, 2.0, {17.34, 17.0}}, {}}}}};

    testing::internal::CaptureStdout();
    PrintLatencyHeading(latency);
    for (const latency::Row& row : latency.rows) PrintLatencyRow(row, latency);
    PrintLatencyLevels(latency);
    PrintBandwidthHeading(bandwidth);
    for (const bandwidth::Row& row : bandwidth.rows) PrintBandwidthRow(row);
    PrintBandwidthMemory(bandwidth);
    // Where the running clock was measured, the cycles are the core's, and the column says so.
    LatencyReport running = latency;
    running.runningClockMHz = 3493.4;
    PrintLatencyHeading(running);
    PrintLatencyRow(running.rows[0], running);
    PrintLatencyLevels(running);
    const std::string lists = testing::internal::GetCapturedStdout();
    const nlohmann::json core = LatencyJson(running);
    ExpectGolden("cli/memory-bench.txt", lists + core["running_clock_mhz"].dump() + core["levels"][0].dump() + "\n" +
                                             LatencyJson(latency).dump(1) + "\n" + BandwidthJson(bandwidth).dump(1) + "\n" +
                                             UnmeasuredText(latency) + "\n" + UnmeasuredText(bandwidth) + "\n");
}
