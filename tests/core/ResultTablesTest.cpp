#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <set>

#include "files/ResultTables.h"

TEST(ResultTables, TablesEndAfterTheirRowsAndResultsLandOnLabelledRowsOnly)
{
    struct Table {
        const char* const* rows;
        int rowCount;
        std::vector<ResultCell> cells;
        std::size_t results;
    } tables[] = {
        {kCpuListRows, kCpuListRowCount, CpuResultCells({}), 15},
        {kFpuListRows, kFpuListRowCount, FpuResultCells({}), 10},
        {kCacheListRows, kCacheListRowCount, CacheResultCells({}), 27},
    };
    for (const Table& t : tables) {
        int n = 0;
        while (t.rows[n][0] != '\n') ++n;
        EXPECT_EQ(n, t.rowCount);
        // Every result row has a "   ... :" label (or the CPU total), and no two results share a row.
        std::set<int> used;
        for (const ResultCell& c : t.cells) {
            used.insert(c.row);
            std::size_t length = std::strlen(t.rows[c.row]);
            EXPECT_TRUE(length > 0 && t.rows[c.row][length - 1] == ':') << t.rows[c.row];
        }
        EXPECT_EQ(used.size(), t.results);
    }
    EXPECT_STREQ(kCpuListRows[15], "Complex Benhcmarks");
    EXPECT_STREQ(kCpuListRows[20], "Total Benchmark Time :");
    EXPECT_STREQ(kFpuListRows[12], "   Total Benchmark Time :");
    EXPECT_STREQ(kCacheListRows[1], "   2 Kb block :");
    EXPECT_STREQ(kCacheListRows[22], "'Stepping MOV' benchmark");
    EXPECT_STREQ(kCacheListRows[31], "   512 Kb block :");
    // The first and last index of each cache group, and the CPU rows after the gaps.
    EXPECT_EQ(CacheResultRow(0), 1);
    EXPECT_EQ(CacheResultRow(8), 9);
    EXPECT_EQ(CacheResultRow(9), 12);
    EXPECT_EQ(CacheResultRow(26), 31);
    EXPECT_EQ(CpuResultRow(CpuResults::kDhrystone), 18);
    EXPECT_EQ(CpuResultRow(CpuResults::kTotal), 20);
}

TEST(ResultTables, CellTextsOfEachList)
{
    CpuResults r;
    r.values.fill(1000);
    r.values[CpuResults::kDhrystone] = 1666;
    r.values[CpuResults::kTotal] = 13000;
    auto cells = CpuResultCells(r);
    EXPECT_EQ(cells[12].text, "1.00 sec  (1000 ms)");
    EXPECT_EQ(cells[13].text, "1666 KDhryst./sec");
    EXPECT_EQ(cells[14].text, "0.22 min  (13.00 s.)");
    EXPECT_EQ(FormatCpuResult(0, 1235), "1.24 sec  (1235 ms)");  // 1.235 rounds away from the even digit
    EXPECT_EQ(FormatCpuResult(0, 0), "0.00 sec  (0 ms)");

    // FPU sections pick their unit by the -1.0 mark; zero is a rate, not the mark.
    WhetstoneResults w{};
    w.mops[0] = 99.0;
    w.mflops[1] = -1.0, w.mops[1] = 1234.567, w.seconds[1] = 2.5;
    w.totalSeconds = 90.0;
    EXPECT_EQ(FormatWhetstoneSection(w, 0), "0.00 MFLOPS  (0.00 sec)");
    EXPECT_EQ(FormatWhetstoneSection(w, 1), "1234.57 MOPS  (2.50 sec)");
    EXPECT_EQ(FormatMwips(4800.125), "4800.13 MWIPS");
    auto fpu = FpuResultCells(w);
    ASSERT_EQ(fpu.size(), 10u);
    EXPECT_EQ(fpu[8].row, kFpuMwipsRow);
    EXPECT_EQ(fpu[9].text, "1.50 min  (90.00 sec)");

    EXPECT_EQ(FormatCacheRate(13000.125), "13000.13 Mb/sec");
    EXPECT_EQ(FormatCacheRate(std::numeric_limits<double>::infinity()), "infinite Mb/sec");
}
