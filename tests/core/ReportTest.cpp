// The report's byte-level form: line ends, the date, the header and the column alignment.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>
#include <string>

#include "files/ProcessorReport.h"
#include "files/ReportFile.h"
#include "platform/Clocks.h"
#include "tests/core/ReportTestSupport.h"

using namespace reporttest;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    for (;;) {
        auto end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

}  // namespace

TEST(ReportFile, EveryLineFeedBecomesCrLfAndNothingIsAdded)
{
    EXPECT_EQ(WithCrLf("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(WithCrLf(""), "");

    TempDir dir;
    fs::path path = dir.Path() / "r.txt";
    {
        CReportFile file(path.string());
        file.Write("one\n");
        file.Write("");
        file.Write("\ntwo");
        file.Close();
    }
    EXPECT_EQ(ReadBytes(path), "one\r\n\r\ntwo");
}

TEST(ReportDate, MonthIsEnglishAndDayHasTwoDigits)
{
    // 2026-12-24 12:00 UTC and 2000-02-29 12:00 UTC.
    EXPECT_EQ(FormatReportDate(1798113600), "December 24, 2026");
    EXPECT_EQ(FormatReportDate(951825600), "February 29, 2000");

    // Whatever the user's locale says about month names.
    const char* previous = std::setlocale(LC_TIME, nullptr);
    std::string saved = previous ? previous : "C";
    for (const char* locale : {"C", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_TIME, locale)) {
            EXPECT_EQ(FormatReportDate(kFifthOfApril2001), "April 05, 2001") << locale;
        }
    }
    std::setlocale(LC_TIME, saved.c_str());
}

TEST(ReportHeader, FourteenLinesWithTheDateOnTheFourth)
{
    platform::ScopedCalendarClock clock(platform::ScriptedClock<std::time_t>{kFifthOfApril2001});
    ReportString out;
    CProcessorReport().WriteHeader(out);
    const std::string rule(79, '^');
    EXPECT_EQ(out.Text(), rule + "\n\n\n"
                          "   This file is created by Vext version 1.0 on April 05, 2001\n\n"
                          "   The following fields are for your remarks\n"
                          "     Processor Vendor  :\n"
                          "     Processor Type    :\n"
                          "     Processor Speed   :     MHz  (   x     MHz)\n"
                          "     Memory            :\n"
                          "     Operating System  :\n\n" +
                              rule + "\n\n");
}

TEST(ReportFeatures, ValuesLineUpExceptFastFloatingPoint)
{
    auto lines = Lines(CProcessorReport::StandardFeaturesText(0xFFFFFFFFu));
    ASSERT_EQ(lines.size(), 4u + 28u);
    EXPECT_EQ(lines[3], " Standard Features (Intel)");
    for (size_t i = 4; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        bool fastFloatingPoint = line.find("Fast Floating Point") != std::string::npos;
        size_t column = fastFloatingPoint ? 42 : 35;  // characters before the value
        ASSERT_GT(line.size(), column) << line;
        EXPECT_EQ(line[column - 1], ' ') << line;
        EXPECT_NE(line[column], ' ') << line;
        EXPECT_EQ(line.substr(column), i == 4 ? "Yes" : "Supported") << line;
        EXPECT_EQ(line.substr(0, 6), "      ") << line;
    }

    auto amd = Lines(CProcessorReport::ExtendedFeaturesText(0xFFFFFFFFu));
    ASSERT_EQ(amd.size(), 4u + 3u);
    EXPECT_EQ(amd[3], " Extended Features (AMD)");
    for (size_t i = 4; i < amd.size(); ++i) {
        EXPECT_EQ(amd[i].substr(41), "Supported") << amd[i];
        EXPECT_EQ(amd[i][40], ' ');
    }
}

TEST(ReportFeatures, EachLineReadsItsOwnBitAndBitsWithoutLineAreIgnored)
{
    for (const FeatureLine& line : StandardFeatureLines()) {
        std::string text = CProcessorReport::StandardFeaturesText(1u << line.bit);
        // The one line that reads the bit says so; every other line says no.
        size_t set = 0;
        for (const std::string& l : Lines(text)) {
            if (l.ends_with(" Supported") || l.ends_with(" Yes")) {
                ++set;
                EXPECT_NE(l.find(line.label), std::string::npos) << l;
            }
        }
        EXPECT_EQ(set, 1u) << line.label;
    }
    // Bits 10, 20, 28 and 31 have no line.
    std::string none = CProcessorReport::StandardFeaturesText((1u << 10) | (1u << 20) | (1u << 28) | (1u << 31));
    EXPECT_EQ(none.find(" Supported"), std::string::npos);
    EXPECT_NE(none.find("   FPU on-chip :" + std::string(16, ' ') + "No"), std::string::npos);

    std::string amd = CProcessorReport::ExtendedFeaturesText(1u << 30);
    EXPECT_NE(amd.find("   AMD 3DNow! Extended Instructions : Supported"), std::string::npos);
    EXPECT_NE(amd.find("   AMD 3DNow! Instructions :" + std::string(10, ' ') + "Unsupported"), std::string::npos);
    EXPECT_NE(amd.find("   AMD MMX Extension : " + std::string(15, ' ') + "Unsupported"), std::string::npos);
}
