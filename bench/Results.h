#pragma once
// The result records of the three benchmarks, as the pages hold them and the result files store them.
#include <array>
#include <cstdint>

namespace bench {

// The CPU page's 15 values: the thirteen kernels in milliseconds (Addition, Subtraction,
// Multiplication, Division, Mov, String, Call, Call with 1, 2, 3 and 4 parameters, Fibonacci numbers,
// Euclidean algorithm), the Dhrystone rating (thousands of passes per second) and the total time (ms).
struct CpuResults {
    static constexpr int kCount = 15;
    static constexpr int kDhrystone = 13;
    static constexpr int kTotal = 14;
    std::array<uint32_t, kCount> values{};
    bool operator==(const CpuResults&) const = default;
};

// Whetstone: index i of each eight-element array belongs to section N(i+1). -1.0 in a rate slot marks
// the unit that does not apply to that section (MFLOPS or MOPS).
struct WhetstoneResults {
    static constexpr int kSections = 8;
    std::array<double, kSections> mflops{};
    std::array<double, kSections> mops{};
    std::array<double, kSections> seconds{};
    double mwips = 0.0;
    double totalSeconds = 0.0;
    bool operator==(const WhetstoneResults&) const = default;
};

// 27 rates in Mb/sec: MOVSD over 2 ... 512 Kb (0-8), MOV (9-17), Stepping MOV (18-26).
struct CacheResults {
    static constexpr int kCount = 27;
    static constexpr int kBlockSizes = 9;
    std::array<double, kCount> rates{};
    bool operator==(const CacheResults&) const = default;
};

}  // namespace bench
