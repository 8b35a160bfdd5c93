// The processor report: of recorded processors against hand-written and golden files, and its Save As
// paths.
#include <gtest/gtest.h>

#include <unistd.h>

#include <clocale>

#include "cpu/Processor.h"
#include "cpu/RecordedCpuid.h"
#include "files/ProcessorReport.h"
#include "platform/CpuidDump.h"
#include "tests/support/FakeMachine.h"
#include "tests/support/ReportTestSupport.h"

using namespace files;

using namespace cpu;

using namespace reporttest;

namespace {

// A machine that answers CPUID from a dump, dated the fifth of April 2001, whose clocks measure `mhz`:
// the timer steps a second and the counter `mhz` million per read.
platform::Machine RecordedMachine(const fs::path& dump, int mhz)
{
    platform::Machine machine = cpu::WithRecordedCpuid(platform::FakeMachine(), platform::LoadCpuidDump(dump.string()));
    machine.timeGetTime = platform::SteppingClock(0, 1000);
    machine.readTsc = platform::SteppingTsc(0, uint64_t{1'000'000} * mhz);
    machine.calendarTime = [] { return kFifthOfApril2001; };
    return machine;
}

// Saves a report to `path`; returns the page's message for a failure, none when it was written.
std::vector<std::string> SaveReportAs(const fs::path& path, const platform::Machine& machine)
{
    if (CProcessorReport(machine).SaveReport(path.string()).status == FileWriteStatus::Ok) return {};
    return {kReportFileError};
}

// The recorded processors, and processors made by hand for the fields no recorded one has.
std::vector<fs::path> ReportedDumps()
{
    std::vector<fs::path> dumps = AllDumps();
    // Listed while the test program starts, also as a user who cannot read the folder and runs other
    // tests: an unreadable folder is listed as itself, which fails as a dump when its test runs.
    const fs::path edge = fs::path(VEXT_TEST_DATA) / "cpuid-edge";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(edge, ec)) dumps.push_back(entry.path());
    if (ec) dumps.push_back(edge);
    return dumps;
}

class RecordedReport : public testing::TestWithParam<fs::path> {};

}  // namespace

// Worked out by hand from the decoding tables: one processor of each vendor and each special rule.
TEST(Report, HandWrittenReportsMatchByteForByte)
{
    const std::pair<const char*, int> cases[] = {
        {"intel-0673-pentium-iii-katmai", 498},  // Intel standard 500 MHz, serial number on
        {"amd-0644-athlon-thunderbird", 1333},   // no AMD standard within 3 MHz: "(oc)"
        {"cyrix-0600-6x86mx-mii", 233},          // Cyrix: shown as measured
        {"centaur-0541-winchip-c6", 200},        // another vendor: the plain record
        {"amd-0562-k6", 163},                    // no leaf 0x80000006; 160 and 166 both near, 160 first
        {"intel-0651-celeron-covington", 267},   // named by its missing L2; highest leaf 2: no serial
        {"intel-0543-pentium-mmx-p55c", 236},    // no leaf 2 at all; 236 still within 233's band
    };
    EXPECT_GE(AllDumps().size(), 111u);  // every recorded dump is there for the golden reports
    for (const auto& [dump, mhz] : cases) {
        SCOPED_TRACE(dump);
        const std::string expected = ReadBytes(ExpectedReports() / (std::string(dump) + ".txt"));
        ASSERT_FALSE(expected.empty());
        platform::Machine machine = RecordedMachine(SharedDumps() / (std::string(dump) + ".txt"), mhz);
        int counterReads = 0;
        machine.readTsc = [&counterReads, tsc = machine.readTsc] { return ++counterReads, tsc(); };
        TempDir dir;
        EXPECT_TRUE(SaveReportAs(dir.Path() / "report.txt", machine).empty());
        EXPECT_EQ(ReadBytes(dir.Path() / "report.txt"), expected);
        EXPECT_EQ(counterReads, 2);  // measured anew for every report
        EXPECT_EQ(CProcessorReport(machine).ReportText(), WithoutCr(expected));
    }
}

TEST_P(RecordedReport, MatchesItsGoldenFile)
{
    // A recorded clock stands for the measurement, as vext-cli --mhz gives it.
    platform::Machine machine = RecordedMachine(GetParam(), 7);
    machine.recordedClockMhz = 1000;
    ExpectGolden("golden/reports/" + GetParam().parent_path().filename().string() + "/" + GetParam().filename().string(),
                 CProcessorReport(machine).ReportText());
}

INSTANTIATE_TEST_SUITE_P(Dumps, RecordedReport, testing::ValuesIn(ReportedDumps()), [](const auto& info) {
    std::string name = info.param.stem().string();
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

TEST(Report, DateIsEnglishWithTwoDigitDaysWhateverTheLocale)
{
    EXPECT_EQ(FormatReportDate(1798113600), "December 24, 2026");  // 12:00 UTC
    const std::string saved = std::setlocale(LC_TIME, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8", "fr_FR.UTF-8"})
        if (std::setlocale(LC_TIME, locale)) {
            EXPECT_EQ(FormatReportDate(kFifthOfApril2001), "April 05, 2001") << locale;
        }
    std::setlocale(LC_TIME, saved.c_str());
}

TEST(SaveReport, AFileThatCannotBeWrittenGivesTheStopMessageAndAnOldOneIsReplacedOnlyWhole)
{
    const platform::Machine machine = platform::FakeMachine();
    const auto SaveReportAs = [&](const fs::path& path) { return ::SaveReportAs(path, machine); };
    TempDir dir;
    WriteBytes(dir.Path() / "plain-file", "x");
    const std::vector<std::string> error = {"Error !\n\nVext is unable to create the report file !"};
    for (const fs::path& path : {dir.Path() / "no-such-folder" / "r.txt", dir.Path() / "plain-file" / "r.txt", dir.Path(),
                                 fs::path("/dev/full")}) {
        EXPECT_EQ(SaveReportAs(path), error) << path;
        EXPECT_TRUE(path == dir.Path() || path == "/dev/full" || !fs::exists(path)) << path;
    }
    // Root writes into a read-only folder; anyone else is refused.
    fs::create_directory(dir.Path() / "locked");
    fs::permissions(dir.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveReportAs(dir.Path() / "locked" / "r.txt"), geteuid() == 0 ? std::vector<std::string>{} : error);

    WriteBytes(dir.Path() / "old.txt", std::string(20000, 'x'));
    EXPECT_EQ(WithFileSizeLimit(1000, [&] { return SaveReportAs(dir.Path() / "old.txt"); }), error);
    EXPECT_TRUE(ReadBytes(dir.Path() / "old.txt") == std::string(20000, 'x')) << "the old report was lost";
    EXPECT_TRUE(SaveReportAs(dir.Path() / "old.txt").empty());
    EXPECT_TRUE(ReadBytes(dir.Path() / "old.txt").starts_with(std::string(79, '^') + "\r\n"));
    EXPECT_EQ(ReadBytes(dir.Path() / "old.txt").find("xx"), std::string::npos);
}
