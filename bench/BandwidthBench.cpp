#include "bench/BandwidthBench.h"

#include <algorithm>

#include "bench/Precise.h"
#include "platform/MemoryBlock.h"

namespace bench {

namespace bandwidth {

using memkernels::VectorWidth;

const char* MethodName(Method method)
{
    return method == Method::Read ? "read" : method == Method::Write ? "write" : "copy";
}

VectorWidth ChooseVectorWidth(const platform::Machine& machine)
{
#if defined(__x86_64__)
    const platform::CpuidRegs leaf1 = machine.Cpuid(1);
    const bool osxsave = (leaf1.ecx >> 27) & 1;
    const bool avx = (leaf1.ecx >> 28) & 1;
    if (!osxsave || !avx) return VectorWidth::Sse2;
    const uint64_t xcr0 = machine.readXcr0();
    constexpr uint64_t kSseAvx = 0x6;      // XMM and YMM state
    constexpr uint64_t kAvx512 = 0xE0;     // opmask, upper halves of ZMM0-15, ZMM16-31
    if ((xcr0 & kSseAvx) != kSseAvx || machine.Cpuid(0).eax < 7) return VectorWidth::Sse2;
    const platform::CpuidRegs leaf7 = machine.Cpuid(7, 0);
    if (((leaf7.ebx >> 16) & 1) && (xcr0 & kAvx512) == kAvx512) return VectorWidth::Avx512;
    if ((leaf7.ebx >> 5) & 1) return VectorWidth::Avx2;
#endif
    return VectorWidth::Sse2;
}

std::string InstructionsText(Method method, VectorWidth width)
{
    if (method == Method::Copy) return "the C library's memcpy";
    const char* set = width == VectorWidth::Avx512 ? "AVX-512" : width == VectorWidth::Avx2 ? "AVX2" : "SSE2";
    const char* move = width == VectorWidth::Avx512 ? "vmovdqa64" : width == VectorWidth::Avx2 ? "vmovdqa" : "movdqa";
    return std::string(set) + (method == Method::Read ? " loads (" : " stores (") + move + ", " +
           std::to_string(memkernels::VectorBytes(width)) + " bytes)";
}

uint64_t CreditedBytes(Method method, uint64_t blockBytes)
{
    return method == Method::Copy ? blockBytes / 2 * 2 : blockBytes;
}

void Pass(Method method, VectorWidth width, uint8_t* block, uint64_t blockBytes)
{
    switch (method) {
    case Method::Read: return memkernels::ReadPass(width, block, blockBytes);
    case Method::Write: return memkernels::WritePass(width, block, blockBytes, 0x5A);
    case Method::Copy: return memkernels::CopyPass(block + blockBytes / 2, block, blockBytes / 2);
    }
}

double RateGBPerSec(double creditedBytesPerThread, int threads, double slowestSeconds)
{
    return creditedBytesPerThread * threads / slowestSeconds * 1e-9;
}

namespace {

// The slowest thread's seconds for `passes` passes on every thread at once, each on its block.
double TimePasses(const platform::Machine& machine, bench::CPinnedThreads& threads,
                  std::vector<platform::CMemoryBlock>& blocks, Method method, VectorWidth width, uint32_t passes)
{
    std::vector<double> seconds(blocks.size());
    threads.Run([&](int i) {
        const platform::CMemoryBlock& block = blocks[static_cast<size_t>(i)];
        const double t0 = machine.monotonicSeconds();
        for (uint32_t p = passes; p != 0; p = p - 1) Pass(method, width, block.Data(), block.Size());
        seconds[static_cast<size_t>(i)] = machine.monotonicSeconds() - t0;
    });
    return seconds.empty() ? 0.0 : *std::max_element(seconds.begin(), seconds.end());
}

Figure Measure(const platform::Machine& machine, bench::CPinnedThreads& threads, std::vector<platform::CMemoryBlock>& blocks,
               Method method, VectorWidth width, uint64_t blockBytes, int repeat)
{
    const uint32_t passes = precise::CacheRepetitions(
        kMinMs, [&](uint32_t n) { return TimePasses(machine, threads, blocks, method, width, n) * 1000.0; });
    const double credited = static_cast<double>(CreditedBytes(method, blockBytes)) * passes;
    const precise::Summary s = precise::Measure(repeat, precise::Best::Highest, [&] {
        const double seconds = TimePasses(machine, threads, blocks, method, width, passes);
        return seconds > 0 ? RateGBPerSec(credited, threads.Count(), seconds) : 0.0;
    });
    return {s.best, s.spreadPercent, s.runs};
}

}  // namespace

std::vector<Row> RunBandwidth(const platform::Machine& machine, bench::CPinnedThreads& threads, VectorWidth width,
                              const std::vector<uint64_t>& blockSizes, int repeat, const Callbacks& callbacks)
{
    std::vector<Row> rows;
    const auto stopped = [&callbacks] { return callbacks.stop && callbacks.stop(); };
    for (size_t k = 0; k < blockSizes.size() && !stopped(); ++k) {
        if (callbacks.onStep) callbacks.onStep(blockSizes[k], static_cast<int>(k * 100 / blockSizes.size()));
        // Each thread maps and first touches its own block, so its pages lie near its processor.
        std::vector<platform::CMemoryBlock> blocks(static_cast<size_t>(threads.Count()));
        threads.Run([&](int i) {
            platform::CMemoryBlock block(machine, blockSizes[k], true);
            if (block) memkernels::WritePass(VectorWidth::Sse2, block.Data(), block.Size(), 0);
            blocks[static_cast<size_t>(i)] = std::move(block);
        });
        Row row{blockSizes[k], {}};
        // Without every thread's block the threads would not share the work the rates credit them with.
        const bool had = std::all_of(blocks.begin(), blocks.end(), [](const auto& b) { return bool(b); });
        for (size_t m = 0; had && m < kMethods.size(); ++m) {
            if (stopped()) return rows;
            row.figures[m] = Measure(machine, threads, blocks, kMethods[m], width, blockSizes[k], repeat);
        }
        rows.push_back(row);
        if (callbacks.onRow) callbacks.onRow(rows.back());
    }
    return rows;
}

}  // namespace bandwidth

}  // namespace bench
