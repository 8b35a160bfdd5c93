#include "bench/ResultTables.h"

#include <iterator>

#include "platform/TextFormat.h"

namespace bench {

const char* const kCpuListRows[] = {
    // "Aritmetic" and "Benhcmarks" below are the program's own spellings: keep them.
    "Integer Aritmetic Benchmarks",
    "   Addition :",
    "   Subtraction :",
    "   Multiplication :",
    "   Division :",
    "",
    "Instruction Benchmarks",
    "   Mov :",
    "   String :",
    "   Call :",
    "   Call with 1 param. :",
    "   Call with 2 param. :",
    "   Call with 3 param. :",
    "   Call with 4 param. :",
    "",
    "Complex Benhcmarks",
    "   Fibonacci numbers :",
    "   Euclidean algorithm :",
    "   Dhrystone benchmark :",
    "",
    "Total Benchmark Time :",
    "\n",
};

const char* const kFpuListRows[] = {
    "Whetstone Double Precision Benchmark",
    "   N1 Array elements :",
    "   N2 Array as parameter :",
    "   N3 if then else :",
    "   N4 Integer arithmetic :",
    "   N5 Trig. functions (cos, etc.) :",
    "   N6 Procedure calls :",
    "   N7 Array assignments :",
    "   N8 exp, sqrt etc. :",
    "",
    "   MWIPS :",
    "",
    "   Total Benchmark Time :",
    "\n",
};

#define VEXT_CACHE_BLOCK_ROWS                                                                             \
    "   2 Kb block :", "   4 Kb block :", "   8 Kb block :", "   16 Kb block :", "   32 Kb block :",        \
        "   64 Kb block :", "   128 Kb block :", "   256 Kb block :", "   512 Kb block :"

const char* const kCacheListRows[] = {
    "'MOVSD' benchmark",
    VEXT_CACHE_BLOCK_ROWS,
    "",
    "'MOV' benchmark",
    VEXT_CACHE_BLOCK_ROWS,
    "",
    "'Stepping MOV' benchmark",
    VEXT_CACHE_BLOCK_ROWS,
    "\n",
};

#undef VEXT_CACHE_BLOCK_ROWS

static_assert(std::size(kCpuListRows) == kCpuListRowCount + 1 && std::size(kFpuListRows) == kFpuListRowCount + 1 &&
              std::size(kCacheListRows) == kCacheListRowCount + 1);

namespace {
// Minutes are seconds times this double, as the program always computed them.
constexpr double kMinutesPerSecond = 0.016666666666666666;
constexpr int kCpuRows[CpuResults::kCount] = {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 20};
}  // namespace

int CpuResultRow(int index) { return kCpuRows[index]; }

std::string FormatCpuResult(int index, uint32_t value)
{
    if (index == CpuResults::kDhrystone) return platform::TextFormat("%d KDhryst./sec", value);
    if (index == CpuResults::kTotal) {
        double seconds = value * 0.001;
        return platform::TextFormat("%.2f min  (%.2f s.)", seconds * kMinutesPerSecond, seconds);
    }
    return platform::TextFormat("%.2f sec  (%d ms)", value * 0.001, value);
}

std::vector<ResultCell> CpuResultCells(const CpuResults& results)
{
    std::vector<ResultCell> cells;
    for (int i = 0; i < CpuResults::kCount; ++i) cells.push_back({CpuResultRow(i), FormatCpuResult(i, results.values[i])});
    return cells;
}

std::string FormatWhetstoneSection(const WhetstoneResults& results, int section)
{
    // -1.0 exactly marks the unit that does not apply; any other value, 0.0 included, is a rate.
    if (results.mflops[section] != -1.0)
        return platform::TextFormat("%.2f MFLOPS  (%.2f sec)", results.mflops[section], results.seconds[section]);
    return platform::TextFormat("%.2f MOPS  (%.2f sec)", results.mops[section], results.seconds[section]);
}

std::string FormatMwips(double mwips) { return platform::TextFormat("%.2f MWIPS", mwips); }

std::string FormatWhetstoneTotal(double seconds)
{
    return platform::TextFormat("%.2f min  (%.2f sec)", seconds * kMinutesPerSecond, seconds);
}

std::vector<ResultCell> FpuResultCells(const WhetstoneResults& results)
{
    std::vector<ResultCell> cells;
    for (int s = 0; s < 8; ++s) cells.push_back({FpuSectionRow(s), FormatWhetstoneSection(results, s)});
    cells.push_back({kFpuMwipsRow, FormatMwips(results.mwips)});
    cells.push_back({kFpuTotalRow, FormatWhetstoneTotal(results.totalSeconds)});
    return cells;
}

int CacheResultRow(int index) { return index + 1 + 2 * (index / CacheResults::kBlockSizes); }

std::string FormatCacheRate(double mbPerSec) { return platform::TextFormat("%.2f Mb/sec", mbPerSec); }

std::vector<ResultCell> CacheResultCells(const CacheResults& results)
{
    std::vector<ResultCell> cells;
    for (int i = 0; i < CacheResults::kCount; ++i) cells.push_back({CacheResultRow(i), FormatCacheRate(results.rates[i])});
    return cells;
}

}  // namespace bench
