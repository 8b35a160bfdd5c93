#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/TextFormat.h"

using platform::FormatTwoDecimals;
using platform::TextFormat;

TEST(TwoDecimals, ExactHalvesRoundUpWherePrintfRoundsToEven)
{
    EXPECT_EQ(FormatTwoDecimals(131072 * 9.5367431640625e-07), "0.13");  // 0.125 exactly
    EXPECT_EQ(FormatTwoDecimals(0.375), "0.38");
    EXPECT_EQ(FormatTwoDecimals(2.625), "2.63");
    EXPECT_EQ(FormatTwoDecimals(0.0), "0.00");
    EXPECT_EQ(FormatTwoDecimals(-0.125), "-0.13");
}

TEST(TwoDecimals, ValuesNotExactlyHalfwayRoundToNearest)
{
    // The decision follows the exact stored value: 0.115 is stored a little above the half, 1.005 below.
    EXPECT_EQ(FormatTwoDecimals(0.115), "0.12");
    EXPECT_EQ(FormatTwoDecimals(1.005), "1.00");
    EXPECT_EQ(FormatTwoDecimals(0.126), "0.13");
    EXPECT_EQ(FormatTwoDecimals(9.995), "9.99");   // 9.99499999...
    EXPECT_EQ(FormatTwoDecimals(99.999), "100.00");
    EXPECT_EQ(FormatTwoDecimals(-0.001), "0.00");  // no negative zero text
}

TEST(TwoDecimals, NonFiniteValuesHaveReadableTexts)
{
    EXPECT_EQ(FormatTwoDecimals(std::numeric_limits<double>::infinity()), "infinite");
    EXPECT_EQ(TextFormat("%.2f Mb/sec", std::numeric_limits<double>::infinity()), "infinite Mb/sec");
    EXPECT_EQ(FormatTwoDecimals(std::nan("")), "NaN");
}

TEST(TextFormat, FormatsTheProgramsConversions)
{
    EXPECT_EQ(TextFormat("%.2f sec  (%d ms)", 1.234, 1234), "1.23 sec  (1234 ms)");
    EXPECT_EQ(TextFormat("%d.%d   (Build : %d)", 4, 0, 1381), "4.0   (Build : 1381)");
    EXPECT_EQ(TextFormat("Other   (%s)", "GenuineTMx86"), "Other   (GenuineTMx86)");
    EXPECT_EQ(TextFormat("%d - %d - %d", -1, 0x80000000u, 7), "-1 - -2147483648 - 7");
    EXPECT_EQ(TextFormat("%u", 4294967295u), "4294967295");
    EXPECT_EQ(TextFormat("%08X", 0xabcu), "00000ABC");
    EXPECT_EQ(TextFormat("%5.1f|%-6s|", 2.25, "ab"), "  2.3|ab    |");
    EXPECT_EQ(TextFormat("100%% %c", 'x'), "100% x");
    EXPECT_EQ(TextFormat("%d and %d", 1), "1 and ");
}
