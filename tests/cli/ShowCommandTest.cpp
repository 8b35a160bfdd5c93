#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "tests/cli/CommandOutcome.h"
#include "files/ResultFiles.h"

namespace fs = std::filesystem;

namespace {

Outcome Show(std::vector<std::string> args) { return RunCaptured("show", args); }

class ShowCommand : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "vext-show-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Put(const std::string& name, std::span<const uint8_t> bytes)
    {
        std::ofstream out(dir_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (dir_ / name).string();
    }

    fs::path dir_;
};

const char kSummary[] = "AMD Athlon at 800 MHz  with 256 Mb RAM  on WinNT";

}  // namespace

TEST_F(ShowCommand, PrintsEachKindOfFileWithThePageLabelsAndFormats)
{
    CpuResults r;
    r.values.fill(1000);
    r.values[0] = 1234, r.values[CpuResults::kDhrystone] = 1666;
    WhetstoneResults w{};
    w.mflops.fill(-1.0);
    w.mflops[0] = 0.0, w.mops[1] = 12.5;
    CacheResults c{};
    c.rates[9] = std::numeric_limits<double>::infinity();
    struct Case {
        std::string path;
        std::vector<const char*> parts;
        long lines;  // the summary, a blank line, then every row with titles and spacers
    } cases[] = {
        {Put("run.CPU", EncodeCpuRecord(kSummary, r)),
         {"Integer Aritmetic Benchmarks\n   Addition :                           1.23 sec  (1234 ms)\n",
          "   Dhrystone benchmark :                1666 KDhryst./sec\n\nTotal Benchmark Time :"},
         2 + 21},
        {Put("w.fpu", EncodeFpuRecord(kSummary, w)),
         {"   N1 Array elements :                  0.00 MFLOPS  (0.00 sec)\n",
          "   N2 Array as parameter :              12.50 MOPS  (0.00 sec)\n"},
         2 + 13},
        {Put("c.cache", EncodeCacheRecord(kSummary, c)),
         {"'MOV' benchmark\n   2 Kb block :                         infinite Mb/sec\n"},
         2 + 32},
    };
    for (const Case& k : cases) {
        Outcome o = Show({k.path});
        EXPECT_EQ(o.status, 0) << k.path;
        EXPECT_EQ(o.err, "");
        EXPECT_EQ(o.out.rfind(std::string("Loaded System : ") + kSummary + "\n\n", 0), 0u) << o.out;
        for (const char* part : k.parts) EXPECT_NE(o.out.find(part), std::string::npos) << part << o.out;
        EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), k.lines) << k.path;
    }
}

TEST_F(ShowCommand, ControlCharactersOfTheStoredTextDoNotReachTheTerminal)
{
    Outcome o = Show({Put("x.cache", EncodeCacheRecord("evil\x1b]0;title\x07 text", {}))});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.substr(0, o.out.find('\n')), "Loaded System : evil?]0;title? text");
}

TEST_F(ShowCommand, BadFilesAndUsageExitWithStatusTwoAndAClearMessage)
{
    auto record = EncodeFpuRecord(kSummary, {});
    std::string shortFile = Put("short.fpu", std::span(record).first(200));
    fs::create_directory(dir_ / "folder.cache");
    struct Case {
        std::vector<std::string> args;
        const char* expected;  // a part of the message on standard error
    } cases[] = {
        {{shortFile}, "too short for a .fpu result file (308 bytes needed)"},
        {{Put("small.fpu", EncodeCpuRecord(kSummary, {}))}, "too short"},
        {{Put("run.txt", record)}, "must end in .cpu, .fpu or .cache"},
        {{(dir_ / "missing.cpu").string()}, "cannot open"},
        {{(dir_ / "folder.cache").string()}, "cannot open"},
        {{}, "Usage: vext-cli show FILE"},
        {{shortFile, shortFile}, "Usage: vext-cli show FILE"},
        {{"--bogus"}, "Usage: vext-cli show FILE"},
    };
    for (const Case& c : cases) {
        Outcome o = Show(c.args);
        EXPECT_EQ(o.status, 2) << c.expected;
        EXPECT_EQ(o.out, "") << c.expected;
        EXPECT_NE(o.err.find(c.expected), std::string::npos) << o.err;
    }
    Outcome help = Show({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: vext-cli show FILE"), std::string::npos);
}
