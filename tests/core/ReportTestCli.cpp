// vext-cli report, run as the user runs it: exit status, standard output, standard error, files.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "tests/support/ReportTestSupport.h"
#include "tests/support/FakeClocks.h"

using namespace reporttest;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& s)
{
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(cli_)) << "vext-cli has not been built at " << cli_; }

    CliRun Report(const std::string& arguments)
    {
        const fs::path out = dir_.Path() / "stdout", err = dir_.Path() / "stderr";
        std::string command = Quote(cli_) + " report " + arguments + " >" + Quote(out.string()) + " 2>" + Quote(err.string());
        int raw = std::system(command.c_str());
        CliRun run;
        run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        run.out = ReadBytes(out);
        run.err = ReadBytes(err);
        return run;
    }

    std::string Dump(const char* name) { return Quote((SharedDumps() / (std::string(name) + ".txt")).string()); }

    // The report is dated today: put the date of the hand-written reports in its place.
    static std::string WithFixedDate(const std::string& text)
    {
        static const std::regex date("(created by Vext version 1\\.0 on )[A-Z][a-z]+ [0-9]{2}, [0-9]{4}");
        return std::regex_replace(text, date, "$1April 05, 2001", std::regex_constants::format_first_only);
    }

    std::string cli_ = VEXT_CLI;
    TempDir dir_;
};

}  // namespace

TEST_F(CliTest, PrintsTheReportWithLineFeedsAndWritesTheFileWithCrLf)
{
    const std::string expected = ReadBytes(ExpectedReports() / "amd-0644-athlon-thunderbird.txt");

    CliRun printed = Report("--cpuid " + Dump("amd-0644-athlon-thunderbird") + " --mhz 1333");
    EXPECT_EQ(printed.status, 0) << printed.err;
    EXPECT_TRUE(printed.err.empty()) << printed.err;
    EXPECT_EQ(printed.out.find('\r'), std::string::npos);
    // The terminal gets one line end after the report; the file has none.
    EXPECT_EQ(WithFixedDate(printed.out), WithoutCr(expected) + "\n");

    const fs::path file = dir_.Path() / "athlon.txt";
    CliRun written = Report("--cpuid=" + Dump("amd-0644-athlon-thunderbird") + " --mhz=1333 -o " + Quote(file.string()));
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    EXPECT_EQ(WithFixedDate(ReadBytes(file)), expected);
}

TEST_F(CliTest, BadArgumentsAndBadDumpsEndWithStatusTwoAndAMessage)
{
    WriteBytes(dir_.Path() / "garbage.txt", "this is not a dump\n");
    WriteBytes(dir_.Path() / "empty.txt", "");
    const std::string missingFolder = Quote((dir_.Path() / "missing" / "r.txt").string());
    const struct {
        std::string arguments;
        std::string said;  // a part of the message on standard error
    } cases[] = {
        {"--frobnicate", "not expected: --frobnicate"},
        {"-o", "--output: 1 required FILE missing"},
        {"--cpuid", "--cpuid: 1 required DUMP missing"},
        {"--mhz abc --cpuid /dev/null", "--mhz"},
        {"--mhz -5", "--mhz"},
        {"--mhz 99999999999", "--mhz"},
        {"--cpuid " + Quote((dir_.Path() / "absent.txt").string()) + " --mhz 500", "absent.txt"},
        {"--cpuid " + Quote((dir_.Path() / "garbage.txt").string()) + " --mhz 500", "garbage.txt"},
        {"--cpuid " + Quote((dir_.Path() / "empty.txt").string()) + " --mhz 500", "empty.txt"},
        {"--mhz 500 -o " + missingFolder, "r.txt': No such file or directory"},
        {"--mhz 500 -o " + Quote(dir_.Path().string()), "': Is a directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        CliRun run = Report(c.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_FALSE(fs::exists(dir_.Path() / "missing"));
}
