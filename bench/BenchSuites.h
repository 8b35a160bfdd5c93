#pragma once
// The FPU and Cache runs as the pages and vext-cli start them: the whole suite, with a callback at
// each point where a page writes rows or advances its progress bar. Callbacks run between
// measurements, never inside a timed region. The runs reach them through bench::Suites, which tests
// fill with fast fakes.
#include <array>
#include <cstdint>
#include <functional>

#include "bench/BenchFailure.h"
#include "bench/CacheBench.h"
#include "bench/Results.h"
#include "platform/Machine.h"

namespace bench {

// ---- FPU: the Whetstone benchmark ----

struct FpuSuiteCallbacks {
    // Before the benchmark starts (the page advances its bar here, to 33).
    std::function<void()> beforeRun;
    // After each recorded section, of the calibration calls (calibrating) and of the final run.
    std::function<void(int section, bool calibrating)> afterSection;
    // After the benchmark, its failure ("Calculation Error !") already handed to onFailure; before
    // the results are read out (the page advances its bar here, to 66).
    std::function<void()> afterRun;
    OnBenchFailure onFailure;
};

// Creates a CWhetstone on `machine`, runs it and reads out its results.
WhetstoneResults LiveFpuSuite(const platform::Machine& machine, const FpuSuiteCallbacks& callbacks);

// ---- Cache: 27 bandwidth measurements ----

// The nine block sizes, 2 Kb to 512 Kb.
inline constexpr std::array<int32_t, CacheResults::kBlockSizes> kCacheBlockBytes = {
    2048, 4096, 8192, 16384, 32768, 65536, 131072, 262144, 524288};
// The stride of the stepping method in every measurement.
inline constexpr int32_t kCacheSteppingStride = 4;

// What result index i of CacheResults measures: groups MOVSD, MOV, Stepping MOV of nine sizes each.
struct CacheMeasurement {
    CacheBenchMethod method;
    int32_t blockBytes;
    int32_t stride;         // 0 for the methods that do not read it
    int32_t creditedBytes;  // the bytes the rate is computed from
};
CacheMeasurement CacheSuiteMeasurement(int index);
// The bytes a method's standard repetitions over a block are credited with (beyond 2^31 for the
// larger blocks of the precise mode).
double CacheCreditedBytes(CacheBenchMethod method, int32_t blockBytes);

struct CacheSuiteCallbacks {
    // After each of the 27 measurements, in result order.
    std::function<void(int index, double rate, double elapsedMs)> afterMeasurement;
    // After each group of nine (0 MOVSD, 1 MOV, 2 Stepping MOV): results hold that group's rates
    // (the page writes the group's rows and advances its bar here).
    std::function<void(int group, const CacheResults& results)> afterGroup;
    // A block that could not be had ("Memory error !"), before its measurement's afterMeasurement.
    OnBenchFailure onFailure;
};

// The 27 measurements in result order, on blocks of `machine`.
CacheResults LiveCacheSuite(const platform::Machine& machine, const CacheSuiteCallbacks& callbacks);

}  // namespace bench
