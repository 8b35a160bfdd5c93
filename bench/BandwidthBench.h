#pragma once
// Memory bandwidth of one or many threads: read with the widest vector loads the processor and the
// operating system allow, write with ordinary stores of the same width, copy with the C library's
// memcpy. Each thread works on a block of its own; rates in GB/s (10^9 bytes per second).
#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "bench/MemoryKernels.h"
#include "bench/PinnedThreads.h"
#include "platform/Machine.h"

namespace bench {

namespace bandwidth {

enum class Method { Read, Write, Copy };
inline constexpr std::array<Method, 3> kMethods{Method::Read, Method::Write, Method::Copy};

// "read", "write", "copy".
const char* MethodName(Method method);

// The widest vectors this processor offers and its operating system saves (XCR0): AVX-512 needs the
// opmask and upper ZMM states, AVX2 the YMM state; SSE2 is part of x86-64.
memkernels::VectorWidth ChooseVectorWidth(const platform::Machine& machine);

// What a method executes, for the output: "AVX-512 loads (vmovdqa64, 64 bytes)", ...
std::string InstructionsText(Method method, memkernels::VectorWidth width);

// Bytes credited for one pass over a block, as STREAM counts: every byte read and every byte written
// once. Copy moves the first half of the block onto the second, so it too credits the block's size
// while its working set stays the block.
uint64_t CreditedBytes(Method method, uint64_t blockBytes);

// Runs one pass of `method` over `block` (blockBytes, aligned and a whole number of steps).
void Pass(Method method, memkernels::VectorWidth width, uint8_t* block, uint64_t blockBytes);

// A figure whose block could not be had (on any one thread) was not measured: no runs, no rate.
struct Figure {
    double gbPerSec = std::numeric_limits<double>::quiet_NaN();  // the best of the repeats
    double spreadPercent = 0;
    std::vector<double> runs;
};

struct Row {
    uint64_t blockBytes = 0;  // per thread
    std::array<Figure, 3> figures;  // in the order of kMethods
};

struct Callbacks {
    std::function<void(const Row&)> onRow;
    std::function<void(uint64_t blockBytes, int percent)> onStep;
    // Asked before each block and each method: true ends the run there, the block it stops in without
    // its row (a page's Cancel).
    std::function<bool()> stop;
};

// Each measurement repeats its passes until it lasts at least this (on the slowest thread).
inline constexpr double kMinMs = 20.0;

// GB/s of `threads` threads that each moved `creditedBytesPerThread`, the slowest in `slowestSeconds`:
// the sum of their rates, each counted over the slowest time.
double RateGBPerSec(double creditedBytesPerThread, int threads, double slowestSeconds);

// Every block size in turn; for each, each thread maps a block of that size of its own and the three
// methods are measured on all threads at once, each warmed up and repeated `repeat` times. The blocks
// and the clock are the machine's (the one the threads run on).
std::vector<Row> RunBandwidth(const platform::Machine& machine, bench::CPinnedThreads& threads, memkernels::VectorWidth width,
                              const std::vector<uint64_t>& blockSizes, int repeat, const Callbacks& callbacks);

}  // namespace bandwidth

}  // namespace bench
