#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>

#include "files/ResultTables.h"

namespace {
int CountRows(const char* const* table)
{
    int n = 0;
    while (table[n][0] != '\n') ++n;
    return n;
}
}  // namespace

TEST(ResultTables, EachTableEndsWithItsLineFeedEntryAfterItsRows)
{
    EXPECT_EQ(CountRows(kCpuListRows), kCpuListRowCount);
    EXPECT_EQ(CountRows(kFpuListRows), kFpuListRowCount);
    EXPECT_EQ(CountRows(kCacheListRows), kCacheListRowCount);
    EXPECT_STREQ(kCpuListRows[15], "Complex Benhcmarks");
    EXPECT_STREQ(kCpuListRows[20], "Total Benchmark Time :");
    EXPECT_STREQ(kFpuListRows[12], "   Total Benchmark Time :");
    EXPECT_STREQ(kCacheListRows[1], "   2 Kb block :");
    EXPECT_STREQ(kCacheListRows[31], "   512 Kb block :");
    EXPECT_STREQ(kCacheListRows[22], "'Stepping MOV' benchmark");
}

TEST(ResultTables, ResultsLandOnLabelledRowsOnlyNeverOnTitlesOrSpacers)
{
    // Every result row has a "   ... :" label (or the CPU total), and no two results share a row.
    auto check = [](const std::vector<ResultCell>& cells, const char* const* table, std::size_t count) {
        std::set<int> rows;
        for (const ResultCell& c : cells) {
            rows.insert(c.row);
            const char* label = table[c.row];
            EXPECT_NE(std::strlen(label), 0u) << "row " << c.row;
            EXPECT_EQ(label[std::strlen(label) - 1], ':') << "row " << c.row;
        }
        EXPECT_EQ(rows.size(), count);
    };
    check(CpuResultCells({}), kCpuListRows, 15);
    check(FpuResultCells({}), kFpuListRows, 10);
    check(CacheResultCells({}), kCacheListRows, 27);
    EXPECT_EQ(CacheResultRow(0), 1);
    EXPECT_EQ(CacheResultRow(8), 9);
    EXPECT_EQ(CacheResultRow(9), 12);
    EXPECT_EQ(CacheResultRow(26), 31);
    EXPECT_EQ(CpuResultRow(CpuResults::kDhrystone), 18);
    EXPECT_EQ(CpuResultRow(CpuResults::kTotal), 20);
}

TEST(ResultTables, CpuCellsShowSecondsMillisecondsRatingAndTotal)
{
    CpuResults r;
    for (int i = 0; i < 13; ++i) r.values[i] = 1000;
    r.values[CpuResults::kDhrystone] = 1666;
    r.values[CpuResults::kTotal] = 13000;
    auto cells = CpuResultCells(r);
    EXPECT_EQ(cells[0].text, "1.00 sec  (1000 ms)");
    EXPECT_EQ(cells[12].text, "1.00 sec  (1000 ms)");
    EXPECT_EQ(cells[13].text, "1666 KDhryst./sec");
    EXPECT_EQ(cells[14].text, "0.22 min  (13.00 s.)");
    EXPECT_EQ(FormatCpuResult(0, 1235), "1.24 sec  (1235 ms)");  // 1.235 rounds away from the even digit
    EXPECT_EQ(FormatCpuResult(0, 0), "0.00 sec  (0 ms)");
}

TEST(ResultTables, FpuSectionsPickTheirUnitByTheMinusOneMark)
{
    WhetstoneResults r{};
    r.mflops[0] = 0.0;  // zero is a rate, not the mark
    r.mops[0] = 99.0;
    r.mflops[1] = -1.0;
    r.mops[1] = 1234.567;
    r.seconds[1] = 2.5;
    r.mwips = 4800.125;
    r.totalSeconds = 90.0;
    EXPECT_EQ(FormatWhetstoneSection(r, 0), "0.00 MFLOPS  (0.00 sec)");
    EXPECT_EQ(FormatWhetstoneSection(r, 1), "1234.57 MOPS  (2.50 sec)");
    EXPECT_EQ(FormatMwips(r.mwips), "4800.13 MWIPS");
    EXPECT_EQ(FormatWhetstoneTotal(r.totalSeconds), "1.50 min  (90.00 sec)");
    auto cells = FpuResultCells(r);
    ASSERT_EQ(cells.size(), 10u);
    EXPECT_EQ(cells[8].row, kFpuMwipsRow);
    EXPECT_EQ(cells[9].text, "1.50 min  (90.00 sec)");
}

TEST(ResultTables, CacheRatesHaveTwoDecimalsAndInfiniteForUntimedBlocks)
{
    EXPECT_EQ(FormatCacheRate(13000.125), "13000.13 Mb/sec");
    EXPECT_EQ(FormatCacheRate(std::numeric_limits<double>::infinity()), "infinite Mb/sec");
}
