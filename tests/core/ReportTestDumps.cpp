// The report of recorded processors, byte for byte, and the Save As, cancel and failure paths.
#include <gtest/gtest.h>

#include <unistd.h>

#include "cpu/Processor.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"
#include "tests/core/FakeCpu.h"
#include "tests/core/ReportTestSupport.h"

using namespace reporttest;

namespace {

// One processor of each vendor class, with the clock the test fixes. The expected files were written
// by hand from the decoding tables, not by the program.
struct GoldenCase {
    const char* dump;
    int mhz;
};
const GoldenCase kGoldenCases[] = {
    {"intel-0673-pentium-iii-katmai", 498},   // Intel standard 500 MHz, serial number on
    {"amd-0644-athlon-thunderbird", 1333},    // no AMD standard within 3 MHz: "(oc)"
    {"cyrix-0600-6x86mx-mii", 233},           // Cyrix: shown as measured
    {"centaur-0541-winchip-c6", 200},         // another vendor: the plain record
    {"amd-0562-k6", 163},                     // no leaf 0x80000006; 160 and 166 both near, 160 first
    {"intel-0651-celeron-covington", 267},    // named by its missing L2; highest leaf 2: no serial
    {"intel-0543-pentium-mmx-p55c", 236},     // no leaf 2 at all; 236 still within 233's band
};

// Answers CPUID from a dump, with a fixed date and clock, for the scope of one report.
class RecordedProcessor {
public:
    RecordedProcessor(const fs::path& path, int mhz)
        : dump_(platform::LoadCpuidDump(path.string())),
          cpuid_([this](uint32_t leaf, uint32_t subleaf) { return dump_.Query(leaf, subleaf); }),
          clock_([this, mhz](CProcessor&) {
              ++measurements;
              return mhz;
          }),
          date_(platform::ScriptedClock<std::time_t>{kFifthOfApril2001})
    {
    }
    int measurements = 0;

private:
    platform::CpuidDump dump_;
    platform::ScopedCpuid cpuid_;
    ScopedMeasuredClock clock_;
    platform::ScopedCalendarClock date_;
};

class GoldenReport : public testing::TestWithParam<GoldenCase> {};

}  // namespace

TEST_P(GoldenReport, FileMatchesTheHandWrittenReportByteForByte)
{
    SKIP_WITHOUT_SHARED_DUMPS();
    const GoldenCase& c = GetParam();
    const std::string expected = ReadBytes(ExpectedReports() / (std::string(c.dump) + ".txt"));
    ASSERT_FALSE(expected.empty());

    RecordedProcessor processor(SharedDumps() / (std::string(c.dump) + ".txt"), c.mhz);
    TempDir dir;
    RecordingPrompt prompt;
    prompt.saveAnswer = (dir.Path() / "report.txt").string();
    {
        platform::ScopedPrompt scoped(prompt);
        CProcessorReport().CreateReport();
    }
    EXPECT_TRUE(prompt.messages.empty());
    const std::string written = ReadBytes(dir.Path() / "report.txt");
    EXPECT_EQ(written, expected);
    EXPECT_EQ(processor.measurements, 1);  // the clock is measured for every report

    // The same text in memory, with bare line feeds.
    EXPECT_EQ(CProcessorReport().ReportText(), WithoutCr(expected));
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenReport, testing::ValuesIn(kGoldenCases),
                         [](const testing::TestParamInfo<GoldenCase>& info) {
                             std::string name = info.param.dump;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

TEST(ReportOfEveryRecordedProcessor, HasTheSameLinesAndEndsWithTheSerialNumber)
{
    SKIP_WITHOUT_SHARED_DUMPS();
    // The line structure of every report is that of a hand-written one: the same labels in the same
    // lines, only the values differ.
    const std::string model = WithoutCr(ReadBytes(ExpectedReports() / "intel-0673-pentium-iii-katmai.txt"));
    auto labelsOf = [](const std::string& text) {
        std::vector<std::string> labels;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            auto colon = line.find(" : ");
            labels.push_back(colon == std::string::npos ? line : line.substr(0, colon));
        }
        return labels;
    };
    const auto modelLabels = labelsOf(model);
    const auto dumps = AllDumps();
    EXPECT_EQ(dumps.size(), 111u);
    for (const fs::path& path : dumps) {
        SCOPED_TRACE(path.filename().string());
        RecordedProcessor processor(path, 1000);
        const std::string text = CProcessorReport().ReportText();
        auto labels = labelsOf(text);
        ASSERT_EQ(labels.size(), modelLabels.size());
        labels[3] = modelLabels[3];  // line 4 holds the date
        EXPECT_EQ(labels, modelLabels);
        EXPECT_NE(text.back(), '\n');
        EXPECT_EQ(text.find('\0'), std::string::npos);
        EXPECT_EQ(text.find('\r'), std::string::npos);
        // Every value is present: no label line ends at its colon. (A brand string may be empty: some
        // processors offer the brand leaves and fill them with zeros.)
        std::istringstream in(text);
        int line = 0;
        for (std::string l; std::getline(in, l);)
            if (++line > 14 && l.find("Brand String") == std::string::npos) {
                EXPECT_FALSE(l.ends_with(": ")) << "line " << line << ": " << l;
            }
    }
}

TEST(ReportFeatures, ProcessorWithoutExtendedLeavesHasNoAmdFeatures)
{
    // Leaf 0x80000001 answers with every bit set, but leaf 0x80000000 says it is not there.
    FakeCpu cpu("GenuineIntel", 1);
    cpu.Set(0x80000000, 0x80000000).Set(0x80000001, ~0u, ~0u, ~0u, ~0u);
    ReportString out;
    CProcessorReport().WriteExtendedFeatures(out);
    EXPECT_EQ(out.Text(), CProcessorReport::ExtendedFeaturesText(0));
    EXPECT_EQ(out.Text().find(" Supported"), std::string::npos);
}

TEST(ReportOtherFeatures, SentinelsBecomeWordsAndTheSerialIsSigned)
{
    EXPECT_EQ(FamilyModelSteppingText({-1, -1, -1}), "N/D");
    EXPECT_EQ(FamilyModelSteppingText({3, 7, 6}), "6 / 7 / 3");  // stepping, model, family in the record
    EXPECT_EQ(ExtendedFamilyModelText({0, -1, -1}), "N/D");
    EXPECT_EQ(ExtendedFamilyModelText({0, 0, 0}), "N/A");
    EXPECT_EQ(ExtendedFamilyModelText({0, 2, 1}), "1 / 2");
    EXPECT_EQ(GenerationText(-1), "N/D");
    EXPECT_EQ(GenerationText(0), "N/A");
    EXPECT_EQ(GenerationText(15), "15");
    // The middle word alone decides, whatever the others hold.
    EXPECT_EQ(SerialNumberText({1651, 0, 1234}), "N/A");
    EXPECT_EQ(SerialNumberText({-1, 0, -1}), "N/A");
    EXPECT_EQ(SerialNumberText({0, -1, 0}), "N/D");
    EXPECT_EQ(SerialNumberText({1651, 53315, -1896772882}), "1651 - 53315 - -1896772882");
}

TEST(CreateReport, AsksForATextFileAndCancellingWritesAndShowsNothing)
{
    int measurements = 0;
    ScopedMeasuredClock clock([&](CProcessor&) { return ++measurements, 500; });
    RecordingPrompt prompt;  // cancels
    platform::ScopedPrompt scoped(prompt);
    CProcessorReport().CreateReport();

    ASSERT_EQ(prompt.saveRequests.size(), 1u);
    const platform::FileDialogRequest& request = prompt.saveRequests[0];
    EXPECT_EQ(request.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_FALSE(request.fileMustExist);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(measurements, 0);  // nothing gathered either
}

TEST(CreateReport, AFileThatCannotBeCreatedOrWrittenShowsTheStopMessageAndLeavesNoFile)
{
    ScopedMeasuredClock clock([](CProcessor&) { return 500; });
    TempDir dir;
    WriteBytes(dir.Path() / "plain-file", "x");
    std::vector<fs::path> impossible = {
        dir.Path() / "no-such-folder" / "report.txt",
        dir.Path() / "plain-file" / "report.txt",  // a file where a folder should be
        dir.Path(),                                // a folder where the file should be
    };
    if (geteuid() != 0) {
        // An unwritable folder (root writes anywhere, so this one is only tried as a user).
        fs::create_directory(dir.Path() / "locked");
        fs::permissions(dir.Path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        impossible.push_back(dir.Path() / "locked" / "report.txt");
    }
    if (fs::exists("/dev/full")) impossible.push_back("/dev/full");  // refuses the bytes
    for (const fs::path& path : impossible) {
        SCOPED_TRACE(path.string());
        RecordingPrompt prompt;
        prompt.saveAnswer = path.string();
        platform::ScopedPrompt scoped(prompt);
        CProcessorReport().CreateReport();
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].first, "Error !\n\nVext is unable to create the report file !");
        EXPECT_EQ(prompt.messages[0].second, platform::MessageIcon::Stop);
        if (path != dir.Path() && path != "/dev/full") {
            EXPECT_FALSE(fs::exists(path));
        }
    }
}

TEST(CreateReport, AnExistingFileIsReplaced)
{
    ScopedMeasuredClock clock([](CProcessor&) { return 500; });
    TempDir dir;
    const fs::path path = dir.Path() / "old.txt";
    WriteBytes(path, std::string(20000, 'x'));
    RecordingPrompt prompt;
    prompt.saveAnswer = path.string();
    platform::ScopedPrompt scoped(prompt);
    CProcessorReport().CreateReport();
    EXPECT_TRUE(prompt.messages.empty());
    const std::string written = ReadBytes(path);
    EXPECT_EQ(written.find("xx"), std::string::npos);
    EXPECT_TRUE(written.starts_with(std::string(79, '^') + "\r\n"));
}
