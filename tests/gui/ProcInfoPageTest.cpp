// The Processor Information page on a recorded processor, with clocks that make the measurement
// instant: its boxes, its 53 rows (the same texts as the report), the sheet's buttons and the report.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/listctrl.h>

#include <map>
#include <sstream>

#include "app/VextSheet.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"
#include "pages/ProcInfo.h"
#include "platform/Clocks.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"
#include "platform/UserPrompt.h"
#include "tests/core/ReportTestSupport.h"

using namespace reporttest;

namespace {

// A recorded processor with a time-stamp counter that runs at `mhz` and a millisecond timer that jumps
// a second per reading, so that each measurement is instant and reads `mhz`.
class FakeMachine {
public:
    FakeMachine(const std::string& dumpName, uint64_t mhz)
        : dump_(platform::LoadCpuidDump((SharedDumps() / (dumpName + ".txt")).string())),
          cpuid_([this](uint32_t leaf, uint32_t subleaf) { return dump_.Query(leaf, subleaf); }),
          timer_(platform::SteppingClock(0, 1000)),
          tsc_(platform::SteppingTsc(0, mhz * 1000000)),
          date_(platform::ScriptedClock<std::time_t>{kFifthOfApril2001})
    {
    }

private:
    platform::CpuidDump dump_;
    platform::ScopedCpuid cpuid_;
    platform::ScopedTimeGetTime timer_;
    platform::ScopedTsc tsc_;
    platform::ScopedCalendarClock date_;
};

// A sheet holding the page, opened as the program opens it (without the modal loop).
class ProcInfoPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_SHARED_DUMPS();
    }
    void TearDown() override
    {
        if (sheet_) sheet_->Destroy();
    }

    CProcInfo& Open()
    {
        sheet_ = new CVextSheet("Vext v1.0");
        page_ = new CProcInfo;
        sheet_->AddPage(page_);
        sheet_->Prepare();
        return *page_;
    }

    std::string Cell(long row, int column) const
    {
        return std::string(page_->List()->GetItemText(row, column).utf8_str());
    }

    CVextSheet* sheet_ = nullptr;
    CProcInfo* page_ = nullptr;
};

// The report's value for each list row that has one, found by the report's own label for it.
std::map<long, std::string> ReportValuesByRow(const std::string& report)
{
    const std::pair<long, const char*> labelled[] = {
        {1, "   L1 Instruction Cache   : "},
        {2, "   L1 Data Cache          : "},
        {4, "   L1 Instruction TLB (4 Kb pages) : "},
        {5, "   L1 Instruction TLB (4 Mb pages) : "},
        {7, "   L1 Data TLB (4 Kb pages)   : "},
        {8, "   L1 Data TLB (4 Mb pages)   : "},
        {10, "   L2 Cache                   : "},
        {11, "   L2 Unified TLB (AMD)       : "},
        {49, "      Familiy / Model / Stepping       : "},
        {50, "      Extended Family / Model (Intel)  : "},
        {51, "      Generation (AMD)                 : "},
        {52, "      Serial Number (Intel)            : "},
    };
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) lines.push_back(line);

    std::map<long, std::string> values;
    for (const auto& [row, label] : labelled)
        for (const std::string& line : lines)
            if (line.starts_with(label)) values[row] = line.substr(std::string(label).size());
    auto feature = [&](long row, const FeatureLine& f) {
        const std::string prefix = "   " + std::string(f.label) + std::string(static_cast<size_t>(f.blanks), ' ');
        for (const std::string& line : lines)
            if (line.starts_with(prefix)) values[row] = line.substr(prefix.size());
    };
    long row = 14;
    for (const FeatureLine& f : StandardFeatureLines()) feature(row++, f);
    row = 44;
    for (const FeatureLine& f : ExtendedFeatureLines()) feature(row++, f);
    return values;
}

}  // namespace

TEST_F(ProcInfoPageTest, BoxesAndRowsShowWhatTheReportSays)
{
    FakeMachine machine("intel-0673-pentium-iii-katmai", 498);
    CProcInfo& page = Open();

    EXPECT_EQ(page.ControlText(1002), "Intel Pentium III or Pentium III Xeon");
    EXPECT_EQ(page.ControlText(1003), "500 MHz");

    wxListCtrl* list = page.List();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->InReportView());
    ASSERT_EQ(list->GetColumnCount(), 2);
    EXPECT_EQ(list->GetColumnWidth(0), 195);
    EXPECT_EQ(list->GetColumnWidth(1), 285);
    wxListItem header;
    header.SetMask(wxLIST_MASK_TEXT);
    list->GetColumn(0, header);
    EXPECT_EQ(header.GetText(), "Processor Details");
    list->GetColumn(1, header);
    EXPECT_EQ(header.GetText(), "");

    ASSERT_EQ(list->GetItemCount(), CProcInfo::kRowCount);
    for (long row = 0; row < CProcInfo::kRowCount; ++row) EXPECT_EQ(Cell(row, 0), CProcInfo::kRowLabels[row]) << row;
    EXPECT_EQ(std::string(CProcInfo::kRowLabels[CProcInfo::kRowCount]), "\n");

    // The report of the same processor, written by hand, holds the same values as the rows.
    const auto values = ReportValuesByRow(WithoutCr(ReadBytes(ExpectedReports() / "intel-0673-pentium-iii-katmai.txt")));
    ASSERT_EQ(values.size(), 12u + 28u + 3u);
    for (long row = 0; row < CProcInfo::kRowCount; ++row) {
        auto it = values.find(row);
        // Headings and spacers never show a value.
        EXPECT_EQ(Cell(row, 1), it == values.end() ? "" : it->second) << "row " << row << " " << Cell(row, 0);
    }
    // The feature rows carry the report's labels.
    long row = 14;
    for (const FeatureLine& f : StandardFeatureLines()) EXPECT_EQ(Cell(row++, 0), f.label);
    row = 44;
    for (const FeatureLine& f : ExtendedFeatureLines()) EXPECT_EQ(Cell(row++, 0), f.label);
}

TEST_F(ProcInfoPageTest, OpeningThePageLeavesOnlyACloseButton)
{
    FakeMachine machine("amd-0644-athlon-thunderbird", 1333);
    Open();
    auto* ok = wxDynamicCast(sheet_->FindWindow(wxID_OK), wxButton);
    auto* cancel = sheet_->FindWindow(wxID_CANCEL);
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ok->GetLabel(), "Close");
    EXPECT_FALSE(cancel->IsEnabled());
}

TEST_F(ProcInfoPageTest, ReportButtonWritesTheReportAndLeavesThePageAlone)
{
    FakeMachine machine("cyrix-0600-6x86mx-mii", 233);
    CProcInfo& page = Open();
    std::vector<std::string> before;
    for (long row = 0; row < CProcInfo::kRowCount; ++row) before.push_back(Cell(row, 1));

    TempDir temp;
    const fs::path& dir = temp.Path();
    RecordingPrompt prompt;
    platform::ScopedPrompt scoped(prompt);

    wxCommandEvent press(wxEVT_BUTTON, 1014);
    press.SetEventObject(page.Control(1014));
    page.Control(1014)->GetEventHandler()->ProcessEvent(press);  // cancelled
    EXPECT_EQ(prompt.saveRequests.size(), 1u);
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_TRUE(prompt.messages.empty());

    prompt.saveAnswer = (dir / "cyrix.txt").string();
    page.Control(1014)->GetEventHandler()->ProcessEvent(press);
    EXPECT_EQ(prompt.saveRequests.size(), 2u);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ReadBytes(dir / "cyrix.txt"), ReadBytes(ExpectedReports() / "cyrix-0600-6x86mx-mii.txt"));

    prompt.saveAnswer = (dir / "missing" / "cyrix.txt").string();
    page.Control(1014)->GetEventHandler()->ProcessEvent(press);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].first, "Error !\n\nVext is unable to create the report file !");

    for (long row = 0; row < CProcInfo::kRowCount; ++row) EXPECT_EQ(Cell(row, 1), before[static_cast<size_t>(row)]);
    EXPECT_EQ(page.ControlText(1003), "233 MHz");
}

TEST_F(ProcInfoPageTest, ABrandStringThatIsNotUtf8IsShownAsLatin1)
{
    // "Fake\xAE CPU": the registered sign as an 8-bit code page writes it.
    platform::ScopedCpuid cpuid([](uint32_t leaf, uint32_t) {
        switch (leaf) {
        case 0: return platform::CpuidRegs{1, 0x756e6547, 0x6c65746e, 0x49656e69};
        case 0x80000000: return platform::CpuidRegs{0x80000004, 0, 0, 0};
        case 0x80000002: return platform::CpuidRegs{0x656b6146, 0x504320AE, 0x00000055, 0};
        default: return platform::CpuidRegs{};
        }
    });
    ScopedMeasuredClock clock([](CProcessor&) { return 500; });
    CProcInfo& page = Open();
    EXPECT_EQ(page.ControlText(1009), "Fake\xC2\xAE CPU");
}
