#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/TextFormat.h"

using platform::FormatTwoDecimals;
using platform::TextFormat;

TEST(TwoDecimals, ExactHalvesRoundUpOtherValuesToNearest)
{
    const std::pair<double, const char*> cases[]{
        {0.125, "0.13"},   {0.375, "0.38"}, {2.625, "2.63"},   {0.0, "0.00"}, {-0.125, "-0.13"},
        // The decision follows the exact stored value: 0.115 is stored a little above the half, 1.005 below.
        {0.115, "0.12"},   {1.005, "1.00"}, {9.995, "9.99"},   {99.999, "100.00"},
        {-0.001, "0.00"},  // no negative zero text
        {std::numeric_limits<double>::infinity(), "infinite"}, {std::nan(""), "NaN"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatTwoDecimals(value), text) << value;
    EXPECT_EQ(TextFormat("%.2f Mb/sec", std::numeric_limits<double>::infinity()), "infinite Mb/sec");
}

TEST(TextFormat, FormatsTheProgramsConversions)
{
    EXPECT_EQ(TextFormat("%.2f sec  (%d ms)", 1.234, 1234), "1.23 sec  (1234 ms)");
    EXPECT_EQ(TextFormat("Other   (%s)", "GenuineTMx86"), "Other   (GenuineTMx86)");
    EXPECT_EQ(TextFormat("%d - %d - %d", -1, 0x80000000u, 7), "-1 - -2147483648 - 7");
    EXPECT_EQ(TextFormat("%u", 4294967295u), "4294967295");
    EXPECT_EQ(TextFormat("%08X", 0xabcu), "00000ABC");
    EXPECT_EQ(TextFormat("%5.1f|%-6s|", 2.25, "ab"), "  2.3|ab    |");
    EXPECT_EQ(TextFormat("100%% %c", 'x'), "100% x");
    EXPECT_EQ(TextFormat("%d and %d", 1), "1 and ");
}
