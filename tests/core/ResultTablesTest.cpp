// The benchmark lists with results in them, and every dialog template: golden files, with the rows that
// have a rule of their own checked here.
#include <gtest/gtest.h>

#include <limits>
#include <map>

#include "bench/ResultTables.h"
#include "platform/TextFormat.h"
#include "tests/support/ReportTestSupport.h"
#include "tests/support/FakeClocks.h"

using namespace bench;

namespace {

// A list as its page shows it: each row's label, then " | " and the result written to it.
std::string ListText(const char* const rows[], const std::vector<ResultCell>& cells)
{
    std::map<int, std::string> results;
    for (const ResultCell& cell : cells) EXPECT_TRUE(results.emplace(cell.row, cell.text).second) << "row " << cell.row;
    std::string text;
    for (int row = 0; rows[row][0] != '\n'; ++row)
        text += rows[row] + (results.contains(row) ? " | " + results[row] : "") + "\n";
    return text;
}

}  // namespace

TEST(ResultTables, ListsWithResultsMatchTheirGoldenFile)
{
    CpuResults cpu;
    for (int i = 0; i < CpuResults::kCount; ++i) cpu.values[i] = 1000 + 5 * i;
    cpu.values[0] = 1235;  // 1.235 s rounds up
    cpu.values[CpuResults::kDhrystone] = 1666;
    cpu.values[CpuResults::kTotal] = 13000;
    WhetstoneResults fpu{};
    for (int s = 0; s < 8; ++s) fpu.mflops[s] = s % 2 ? -1.0 : 10.125 * s, fpu.mops[s] = 1234.567 * s, fpu.seconds[s] = 0.5 * s;
    fpu.mwips = 4800.125, fpu.totalSeconds = 90.0;
    CacheResults cache;
    for (int i = 0; i < CacheResults::kCount; ++i) cache.rates[i] = 1000.0 * i + 0.125;
    cache.rates[3] = std::numeric_limits<double>::infinity();  // a block too fast for the timer
    ExpectGolden("golden/result-lists.txt", ListText(kCpuListRows, CpuResultCells(cpu)) +
                                                     ListText(kFpuListRows, FpuResultCells(fpu)) +
                                                     ListText(kCacheListRows, CacheResultCells(cache)));
    EXPECT_EQ(FormatCpuResult(0, 1235), "1.24 sec  (1235 ms)");
    EXPECT_EQ(FormatCpuResult(CpuResults::kTotal, 13000), "0.22 min  (13.00 s.)");
    EXPECT_EQ(FormatWhetstoneSection(fpu, 0), "0.00 MFLOPS  (0.00 sec)");  // zero is a rate, not the mark
    EXPECT_EQ(FormatWhetstoneSection(fpu, 1), "1234.57 MOPS  (0.50 sec)");
}

