// The Memory and Cores page's runs as JSON and back as the curves and bars it draws: the cores run's
// counts, steps and figures; the latency and bandwidth results' points, plateaus and cache sizes; and
// files that are not such results refused with a reason.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "results/CoresRun.h"
#include "results/MeasurementCurves.h"
#include "results/MemoryBenchReport.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/MemoryReports.h"

using namespace results;

TEST(CoresRun, EveryCountFromOneThreadDoublingToAllWithItsRatesScalingAndEveryStep)
{
    EXPECT_EQ(CoreCounts(1), (std::vector<std::size_t>{1}));
    EXPECT_EQ(CoreCounts(6), (std::vector<std::size_t>{1, 2, 4, 6}));
    EXPECT_EQ(CoreCounts(8), (std::vector<std::size_t>{1, 2, 4, 8}));

    bench::Context context = bench::FakeContext();  // two processors
    context.suites.threadCpuKernels = [](const platform::Machine&, int thread, bench::BenchFailure&) {
        bench::CpuKernels kernels;
        for (auto& kernel : kernels) kernel = [thread] { return 100u + 20u * static_cast<uint32_t>(thread); };
        return kernels;
    };
    context.suites.threadWhetstone = [](const platform::Machine&, int thread, std::optional<int32_t>) {
        return bench::WhetstoneRun{{{}, {}, {}, 1000.0 - 250.0 * thread, 0}, 77, bench::BenchFailure::None};
    };
    // Each step once, in order, of 2 counts' 14 CPU measurements and 2 FPU stages.
    int steps = 0;
    const CoresReport report = MeasureCores(context, {[&](int done, int total) { EXPECT_EQ(done * 100 + total, ++steps * 100 + 32); }, {}});
    EXPECT_EQ(std::make_tuple(report.counts.size(), steps), std::make_tuple(2u, 32));

    std::string error;
    const std::optional<MeasurementCurves> curves = ReadMeasurementCurves(CoresJson(report), error);
    ASSERT_TRUE(curves) << error;
    EXPECT_EQ(curves->rates.groups, (std::vector<std::string>{"1", "2"}));
    // Two threads: 100 + 120 KDhryst./sec, 1000 + 750 MWIPS; each thread over the lone run, averaged.
    EXPECT_EQ(curves->rates.values, (std::vector<std::vector<double>>{{100, 1000}, {220, 1750}}));
    EXPECT_EQ(curves->scaling.values[1], (std::vector<double>{1.1, 0.875}));

    for (int stopAt : {5, 16, 17}) {
        int done = 0;
        const CoresReport stopped = MeasureCores(context, {[&done](int d, int) { done = d; }, [&done, stopAt] { return done >= stopAt; }});
        EXPECT_TRUE(stopped.stopped);
        EXPECT_EQ(done, stopAt) << "a step after the stop";
    }
    // A stop during the last count's run on all threads ends their Whetstones early: nothing is kept.
    std::atomic<bool> stop = false;
    context.suites.threadWhetstone = [&stop](const platform::Machine&, int thread, std::optional<int32_t> passes) {
        if (passes && thread == 1) stop = true;
        return bench::WhetstoneRun{};
    };
    EXPECT_TRUE(MeasureCores(context, {{}, [&stop] { return stop.load(); }}).stopped);
}

TEST(MeasurementCurves, LatencyAndBandwidthResultsGiveTheirPointsPlateausAndCacheSizes)
{
    std::string error;
    std::optional<MeasurementCurves> curves = ReadMeasurementCurves(LatencyJson(memorytest::SmallLatencyReport(true)), error);
    ASSERT_TRUE(curves) << error;
    ASSERT_EQ(curves->curves.size(), 2u);
    EXPECT_EQ(curves->curves[0].points.size(), 2u);  // the unmeasured 8 Kb block has no point
    EXPECT_EQ(std::make_tuple(curves->curves[1].points[1].x, curves->curves[1].points[1].y), std::make_tuple(16.0, 4.0));
    ASSERT_EQ(curves->markers.size(), 1u);
    EXPECT_EQ(std::make_tuple(curves->markers[0].x, curves->markers[0].label), std::make_tuple(8.0, std::string("L1 8 Kb")));

    BandwidthReport one, all;
    one.cpus = {0}, all.cpus = {0, 1};
    bench::bandwidth::Row row{16384, {}};
    for (auto& figure : row.figures) figure.gbPerSec = 12.5, figure.runs = {12.5};
    one.rows = all.rows = {row};
    const nlohmann::json pair = {{"kind", "bandwidth-threads"}, {"one_thread", BandwidthJson(one)},
                                 {"all_threads", BandwidthJson(all)}, {"run", {{"label", "lab"}}}};
    curves = ReadMeasurementCurves(pair, error);
    ASSERT_TRUE(curves) << error;
    ASSERT_EQ(curves->curves.size(), 6u);
    EXPECT_EQ(std::make_tuple(curves->label, curves->curves[1].label, curves->curves[5].label, curves->curves[5].points[0].y),
              std::make_tuple(std::string("lab"), std::string("write, 1 thread"), std::string("copy, 2 threads"), 12.5));
}

TEST(MeasurementCurves, WhatIsNotSuchAResultIsRefusedWithItsReason)
{
    const char* const refused[] = {
        "", "[]", R"({"kind": "cpu"})", R"({"kind": "latency", "rows": []})",
        R"({"kind": "latency", "rows": [{"block_kb": -4, "ns_per_load": 1}], "levels": []})",
        R"({"kind": "latency", "rows": [{"block_kb": 4, "ns_per_load": "1"}], "levels": []})",
        R"({"kind": "latency", "rows": [], "levels": [{"name": "L1", "size_kb": 0.5}]})",
        R"({"kind": "bandwidth", "threads": 0, "rows": []})",
        R"({"kind": "bandwidth", "threads": 1, "rows": [{"block_kb": 16, "read": {"gb_per_s": 1}}]})",
        R"({"kind": "bandwidth-threads", "one_thread": {"kind": "bandwidth", "threads": 1, "rows": []}})",
        R"({"kind": "cores", "counts": [{"threads": 1, "cpu": {"rate": 1, "scaling": 1}}]})",
        R"({"kind": "cores", "counts": [{"threads": 1, "cpu": {"rate": -1, "scaling": 1}, "fpu": {"rate": 1, "scaling": null}}]})"};
    for (const char* bytes : refused) {
        std::string error;
        EXPECT_FALSE(ParseMeasurementCurves(bytes, error)) << bytes;
        EXPECT_FALSE(error.empty()) << bytes;
    }
}
