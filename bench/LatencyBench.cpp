#include "bench/LatencyBench.h"

#include "bench/MemoryKernels.h"
#include "bench/PinnedThreads.h"
#include "bench/Precise.h"
#include "platform/MemoryBlock.h"

namespace bench {

namespace latency {

std::vector<uint32_t> RandomCycle(uint32_t lines, std::mt19937_64& random)
{
    std::vector<uint32_t> next(lines);
    for (uint32_t i = 0; i < lines; ++i) next[i] = i;
    // Sattolo: swapping each position only with an earlier one leaves one cycle through all of them.
    for (uint32_t i = lines; i > 1; --i) {
        const uint32_t j = std::uniform_int_distribution<uint32_t>(0, i - 2)(random);
        std::swap(next[i - 1], next[j]);
    }
    return next;
}

void LinkLines(uint8_t* block, uint32_t lineBytes, const std::vector<uint32_t>& next)
{
    for (size_t i = 0; i < next.size(); ++i) {
        uint8_t* target = block + static_cast<size_t>(next[i]) * lineBytes;
        *reinterpret_cast<uint8_t**>(block + i * lineBytes) = target;
    }
}

namespace {

Row MeasureBlock(const platform::Machine& machine, uint64_t bytes, uint32_t lineBytes, int repeat, std::mt19937_64& random)
{
    Row row;
    row.blockBytes = bytes;
    const uint64_t lines = bytes / lineBytes;
    // Huge pages keep the page walks of a random walk over a large block out of the cache's latency.
    platform::CMemoryBlock block(machine, bytes, true);
    if (!block || lines < 1 || lines > UINT32_MAX) return row;
    LinkLines(block.Data(), lineBytes, RandomCycle(static_cast<uint32_t>(lines), random));

    const void* p = block.Data();
    const uint64_t passRounds = (lines + memkernels::kChaseLoadsPerRound - 1) / memkernels::kChaseLoadsPerRound;
    p = memkernels::ChaseLoads(p, passRounds);
    auto timeRounds = [&machine, &p](uint64_t rounds) {
        const double t0 = machine.monotonicSeconds();
        p = memkernels::ChaseLoads(p, rounds);
        return (machine.monotonicSeconds() - t0) * 1000.0;
    };
    const uint32_t rounds = precise::CacheRepetitions(kMinMs, timeRounds);
    row.loads = rounds * memkernels::kChaseLoadsPerRound;
    std::vector<double> ns;
    for (int i = 0; i < repeat; ++i) ns.push_back(timeRounds(rounds) * 1e6 / static_cast<double>(row.loads));
    const precise::Summary s = precise::Summarise(ns, precise::Best::Lowest);
    row.nsPerLoad = s.best;
    row.spreadPercent = s.spreadPercent;
    row.runs = s.runs;
    return row;
}

}  // namespace

std::vector<Row> RunLatency(const platform::Machine& machine, const std::vector<uint64_t>& blockSizes, uint32_t lineBytes, int repeat,
                            const Callbacks& callbacks)
{
    // One thread, pinned: a move to another core mid-measurement would start it on cold caches.
    bench::CPinnedThreads thread(machine, bench::ThreadCpus(machine, 1));
    std::mt19937_64 random;  // the same orders on every run
    std::vector<Row> rows;
    for (size_t k = 0; k < blockSizes.size(); ++k) {
        if (callbacks.stop && callbacks.stop()) break;
        if (callbacks.onStep) callbacks.onStep(blockSizes[k], static_cast<int>(k * 100 / blockSizes.size()));
        Row row;
        auto measure = [&](int) { row = MeasureBlock(machine, blockSizes[k], lineBytes, repeat, random); };
        thread.RunOrHere(measure);
        rows.push_back(row);
        if (callbacks.onRow) callbacks.onRow(rows.back());
    }
    return rows;
}

}  // namespace latency

}  // namespace bench
