// The work of the latency and bandwidth measurements: the chase's cycle, the threads' processors,
// the bytes each pass moves, the vector width chosen, the plateau of each level.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <cmath>
#include <map>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <tuple>
#include <vector>

#include "bench/BandwidthBench.h"
#include "bench/LatencyBench.h"
#include "bench/PinnedThreads.h"
#include "bench/Plateaus.h"
#include "platform/MemoryBlock.h"
#include "tests/support/FakeMachine.h"

using namespace bench;

using namespace cpu;

namespace {

// A clock of its own on every thread, 31.25 ms a reading (exact in binary): each timing lasts 31.25 ms
// however the threads interleave, so every measurement makes one pass.
double ThreadClock()
{
    thread_local double seconds = 0;
    return seconds += 0.03125;
}

}  // namespace

TEST(Latency, TheChaseVisitsEveryLineOnceInOneCycle)
{
    std::mt19937_64 random(7);
    for (uint32_t lines : {1u, 2u, 3u, 64u, 1000u}) {
        const std::vector<uint32_t> next = latency::RandomCycle(lines, random);
        std::vector<int> visits(lines);
        uint32_t line = 0;
        for (uint32_t step = 0; step < lines; ++step) ++visits[line = next[line]];
        EXPECT_EQ(line, 0u) << lines;  // back at the start after exactly `lines` loads
        EXPECT_EQ(std::count(visits.begin(), visits.end(), 1), lines) << lines;
    }
    // The kernel follows the same links through memory: 16 loads per round.
    const std::vector<uint32_t> next = latency::RandomCycle(64, random);
    platform::CMemoryBlock block(platform::FakeMachine(), 64 * 64, false);
    latency::LinkLines(block.Data(), 64, next);
    uint32_t line = 0;
    for (int i = 0; i < 16; ++i) line = next[line];
    EXPECT_EQ(memkernels::ChaseLoads(block.Data(), 1), block.Data() + line * 64);
    EXPECT_EQ(memkernels::ChaseLoads(block.Data(), 4), block.Data());
}

TEST(Latency, MeasuresOnItsPinnedThreadOrItsOwnAndABlockRefusedHasNoValue)
{
    // The 8 Kb block is refused; with its thread refused too, the run measures on the caller's thread.
    for (const bool threadRefused : {false, true}) {
        platform::Machine machine = platform::FakeMachine();
        machine.monotonicSeconds = ThreadClock;
        std::thread::id mappedOn;
        machine.mapMemory = [&, live = machine.mapMemory](size_t n) { return mappedOn = std::this_thread::get_id(), n == 8192 ? nullptr : live(n); };
        std::vector<int> pins;
        machine.pinThread = [&](int cpu) { return pins.push_back(cpu), true; };
        if (threadRefused)
            machine.startThread = [](std::function<void()>) -> std::thread { throw std::system_error(EAGAIN, std::system_category()); };
        std::vector<uint64_t> steps;  // each block's bytes and percent
        const std::vector<latency::Row> rows =
            latency::RunLatency(machine, {4096, 8192}, 64, 3, {{}, [&](uint64_t bytes, int percent) { steps.push_back(bytes + percent); }, {}});
        EXPECT_EQ(std::make_tuple(steps, pins, mappedOn == std::this_thread::get_id(), rows.size()),
                  std::make_tuple(std::vector<uint64_t>{4096, 8192 + 50}, std::vector<int>(!threadRefused, 0), threadRefused, 2u));
        // One round of 16 loads in 31.25 ms, three times.
        EXPECT_EQ(std::make_tuple(rows[0].loads, rows[0].nsPerLoad, rows[0].runs.size()), std::make_tuple(16u, 31.25e6 / 16, 3u));
        EXPECT_EQ(std::make_tuple(rows[1].blockBytes, std::isnan(rows[1].nsPerLoad), rows[1].runs.size()),
                  std::make_tuple(8192u, true, 0u));
    }
}

TEST(CPinnedThreads, ThreadsTakeOneProcessorPerCoreFirstAndRunTogether)
{
    // Two packages of two cores with two threads each: siblings numbered apart in the first, side by
    // side in the second; listed out of order.
    platform::Machine machine = platform::FakeMachine();
    machine.allowedCpus = [] {
        return std::vector<platform::LogicalCpu>{{6, 1, 1}, {0, 0, 0}, {1, 0, 1}, {2, 0, 0}, {3, 0, 1},
                                                 {4, 1, 0}, {5, 1, 0}, {7, 1, 1}};
    };
    EXPECT_EQ(bench::ThreadCpus(machine, std::nullopt), (std::vector<int>{0, 1, 4, 6, 2, 3, 5, 7}));
    EXPECT_EQ(bench::ThreadCpus(machine, 3), (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(bench::ThreadCpus(machine, 8).size(), 8u);
    EXPECT_EQ(bench::ThreadCpus(machine, 9), std::vector<int>{});
    EXPECT_EQ(bench::ThreadCpus(machine, 1), std::vector<int>{0});
    EXPECT_EQ(bench::ThreadCpus(machine, 0), std::vector<int>{});

    std::mutex lock;
    std::map<std::thread::id, int> pinnedTo;
    machine.pinThread = [&](int cpu) {
        std::lock_guard<std::mutex> hold(lock);
        pinnedTo[std::this_thread::get_id()] = cpu;
        return cpu != 4;
    };
    bench::CPinnedThreads threads(machine, bench::ThreadCpus(machine, 3));
    std::vector<int> ranOn(3, -1);
    threads.Run([&](int i) {
        std::lock_guard<std::mutex> hold(lock);
        ranOn[static_cast<size_t>(i)] = pinnedTo.at(std::this_thread::get_id());
    });
    EXPECT_EQ(ranOn, (std::vector<int>{0, 1, 4}));
    EXPECT_FALSE(threads.AllPinned());
    EXPECT_THROW(threads.Run([](int i) { if (i == 2) throw std::runtime_error("x"); }), std::runtime_error);
    threads.Run([&](int i) { ranOn[static_cast<size_t>(i)] = i; });  // the threads outlive a failure
    EXPECT_EQ(ranOn, (std::vector<int>{0, 1, 2}));
}

TEST(Bandwidth, PassesMoveTheBytesTheyAreCredited)
{
    using memkernels::VectorWidth;
    const platform::Machine live = platform::LiveMachine();
    for (VectorWidth width : {VectorWidth::Sse2, bandwidth::ChooseVectorWidth(live)}) {
        platform::CMemoryBlock block(live, 32768, false);
        uint8_t* b = block.Data();
        bandwidth::Pass(bandwidth::Method::Write, width, b, 16384);
        EXPECT_EQ(std::count(b, b + 32768, 0x5A), 16384);
        for (int i = 0; i < 8192; ++i) b[i] = static_cast<uint8_t>(i * 7);
        bandwidth::Pass(bandwidth::Method::Copy, width, b, 16384);
        EXPECT_TRUE(std::equal(b, b + 8192, b + 8192));
        EXPECT_EQ(b[16383], static_cast<uint8_t>(8191 * 7));  // first half onto the second
        EXPECT_EQ(b[16384], 0);
        // A block that is no whole number of steps: the last part step is left alone.
        memkernels::WritePass(width, b + 16384, 300, 1);
        EXPECT_EQ(std::count(b + 16384, b + 32768, 1), static_cast<long>(300 / memkernels::StepBytes(width) * memkernels::StepBytes(width)));
    }
    for (bandwidth::Method m : bandwidth::kMethods) EXPECT_EQ(bandwidth::CreditedBytes(m, 16384), 16384u);
    EXPECT_DOUBLE_EQ(bandwidth::RateGBPerSec(1e9, 2, 0.5), 4.0);  // each thread's bytes over the slowest time
}

TEST(Bandwidth, EveryThreadMeasuresOnABlockOfItsOwnAndOneBlockRefusedLeavesTheRowUnmeasured)
{
    // Two threads, each timing 31.25 ms a pass: 16 Kb twice over that. Then one thread's block refused.
    for (const int refused : {0, 2}) {
        platform::Machine machine = platform::FakeMachine();
        machine.monotonicSeconds = ThreadClock;
        std::atomic<int> maps{0};
        machine.mapMemory = [&, live = machine.mapMemory](size_t length) { return ++maps == refused ? nullptr : live(length); };
        bench::CPinnedThreads threads(machine, {0, 1});
        const std::vector<bandwidth::Row> rows = bandwidth::RunBandwidth(machine, threads, memkernels::VectorWidth::Sse2, {16384}, 2, {});
        const std::vector<double> runs(refused ? 0 : 2, bandwidth::RateGBPerSec(16384, 2, 0.03125));
        for (const bandwidth::Figure& figure : rows.at(0).figures)
            EXPECT_EQ(std::make_tuple(figure.runs, std::isnan(figure.gbPerSec), maps.load()), std::make_tuple(runs, refused != 0, 2));
    }
}

TEST(Bandwidth, WidestVectorsOnlyWhenTheProcessorHasThemAndTheSystemSavesThem)
{
    // CPUID leaf 1 ECX (OSXSAVE bit 27, AVX bit 28), leaf 7 EBX (AVX2 bit 5, AVX512F bit 16), XCR0 (0x67:
    // no upper sixteen ZMM registers); below leaf 7 a processor's answers to it mean nothing.
    using memkernels::VectorWidth;
    const std::tuple<uint32_t, uint32_t, uint32_t, uint64_t, VectorWidth> cases[] = {
        {7, 3u << 27, 1u << 16 | 1u << 5, 0xE7, VectorWidth::Avx512}, {7, 3u << 27, 1u << 16 | 1u << 5, 0x67, VectorWidth::Avx2},
        {7, 3u << 27, 1u << 16, 0x7, VectorWidth::Sse2},              {7, 3u << 27, 1u << 5, 0x3, VectorWidth::Sse2},
        {7, 1u << 28, 1u << 16 | 1u << 5, 0xE7, VectorWidth::Sse2},   {6, 3u << 27, 1u << 16 | 1u << 5, 0xE7, VectorWidth::Sse2}};
    for (const auto& [maxLeaf, ecx1, ebx7, xcr0, expected] : cases) {
        platform::Machine machine = platform::FakeMachine();
        machine.cpuid = [maxLeaf = maxLeaf, ecx1 = ecx1, ebx7 = ebx7](uint32_t leaf, uint32_t) {
            return leaf == 0 ? platform::CpuidRegs{maxLeaf, 0, 0, 0}
                 : leaf == 1 ? platform::CpuidRegs{0, 0, ecx1, 0}
                 : leaf == 7 ? platform::CpuidRegs{0, ebx7, 0, 0} : platform::CpuidRegs{};
        };
        int reads = 0;
        machine.readXcr0 = [&, xcr0 = xcr0] { return ++reads, xcr0; };
        EXPECT_EQ(bandwidth::ChooseVectorWidth(machine), expected) << ecx1 << " " << ebx7 << " " << xcr0;
        EXPECT_EQ(reads, (ecx1 >> 27) & 1);  // XGETBV only where the system says it may run
    }
}

TEST(Plateaus, EachLevelIsTheMedianOfTheBlocksThatFitItAndNotTheOneBelow)
{
    using cpu::CacheType;
    const std::vector<cpu::CacheLevel> caches{{1, CacheType::Data, 32768, 64, {}, {}},
                                              {1, CacheType::Instruction, 65536, 64, {}, {}},
                                              {2, CacheType::Unified, 1 << 20, 64, {}, {}},
                                              {3, CacheType::Unified, 32 << 20, 64, {}, {}}};
    const std::vector<bench::MemoryLevel> levels = bench::MemoryLevels(caches, 0);
    EXPECT_EQ(levels, (std::vector<bench::MemoryLevel>{
                          {"L1", 0, 32768}, {"L2", 32768, 1 << 20}, {"L3", 1 << 20, 32 << 20}, {"memory", 32 << 20, 0}}));
    std::vector<uint64_t> blocks;
    for (uint64_t b = 4096; b <= (128 << 20); b *= 2) blocks.push_back(b);
    // 4-32 Kb, 64 Kb-1 Mb, 2-32 Mb, 64-128 Mb: of an even number the larger middle one.
    EXPECT_EQ(bench::PlateauRows(levels, blocks), (std::vector<std::optional<size_t>>{2, 6, 11, 15}));
    blocks.resize(12);  // up to 16 Mb: nothing reaches memory
    EXPECT_EQ(bench::PlateauRows(levels, blocks).back(), std::nullopt);
    EXPECT_EQ(bench::MemoryLevels({}, 8 << 20), (std::vector<bench::MemoryLevel>{{"memory", 8 << 20, 0}}));
}
