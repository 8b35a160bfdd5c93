// The FPU Benchmark page with the Whetstone run replaced by a fast fake.
#include <gtest/gtest.h>

#include <filesystem>

#include "bench/BenchSuites.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/FPUBenchPage.h"
#include "tests/gui/BenchPageSupport.h"

using namespace benchtest;

namespace {

WhetstoneResults SampleResults(double scale)
{
    WhetstoneResults r;
    // N1, N2 and N6 are rated in MFLOPS, the others in MOPS.
    for (int s = 0; s < 8; ++s) {
        bool flops = s == 0 || s == 1 || s == 5;
        r.mflops[s] = flops ? 100.125 * scale + s : -1.0;
        r.mops[s] = flops ? -1.0 : 200.5 * scale + s;
        r.seconds[s] = 0.25 * (s + 1);
    }
    r.mwips = 4812.345 * scale;
    r.totalSeconds = 90.0;
    return r;
}

// What the page saw at each point of a faked run.
struct RunObservations {
    std::vector<int> positions;  // bar position after each callback
    bool windowShownAtStart = false;
    bool paintedAtStart = false;
    bool saveEnabledDuringRun = true;
    bool rowsEmptyDuringRun = false;
};

FpuSuiteSeam::Fn FakeSuite(const WhetstoneResults& results, RunObservations& seen, wxListCtrl* list,
                                       wxWindow* save, bool calculationError = false)
{
    return [&seen, results, list, save, calculationError](const FpuSuiteCallbacks& cb) {
        CBenchRun* run = CBenchRun::Active();
        if (!run) {
            ADD_FAILURE() << "no run in progress";
            return results;
        }
        seen.windowShownAtStart = run->Progress().IsShown();
        seen.paintedAtStart = run->Progress().PaintCount() > 0;
        cb.beforeRun();
        seen.positions.push_back(run->Progress().Position());
        for (int s = 0; s < 8; ++s) cb.afterSection(s, false);
        seen.rowsEmptyDuringRun = list->GetItemText(1, 1).empty();
        if (calculationError) platform::Prompt().ShowMessage("Calculation Error !", platform::MessageIcon::None);
        cb.afterRun();
        seen.positions.push_back(run->Progress().Position());
        seen.saveEnabledDuringRun = save->IsEnabled();
        return results;
    };
}

}  // namespace

class FPUBenchPageTest : public testing::Test {
protected:
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt{prompt};
    SheetWithPage<CFPUBenchPage> ui;
};

TEST_F(FPUBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    EXPECT_EQ(benchtest::ExpectedSummary(), ui.page->ControlText(1015));
    EXPECT_EQ("", ui.page->ControlText(1016));
    benchtest::ExpectBenchListColumns(ui.List());
    std::vector<std::string> expected(kFpuListRows, kFpuListRows + kFpuListRowCount);
    EXPECT_EQ(expected, ui.Column(0));
    EXPECT_EQ("   Total Benchmark Time :", ui.Cell(12, 0));
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(1));
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(2));
    EXPECT_TRUE(ui.Enabled(kBenchmark));
    EXPECT_TRUE(ui.Enabled(kLoad));
    EXPECT_FALSE(ui.Enabled(kSave));
}

TEST_F(FPUBenchPageTest, RunShowsTheWindowAdvancesTo66AndFillsColumnOne)
{
    RunObservations seen;
    const WhetstoneResults results = SampleResults(1.0);
    ScopedFpuSuite fake(FakeSuite(results, seen, ui.List(), ui.page->Control(kSave)));
    ui.Press(kBenchmark);

    EXPECT_TRUE(seen.windowShownAtStart);
    EXPECT_TRUE(seen.paintedAtStart);
    EXPECT_EQ((std::vector<int>{33, 66}), seen.positions);
    EXPECT_FALSE(seen.saveEnabledDuringRun);
    EXPECT_TRUE(seen.rowsEmptyDuringRun);

    EXPECT_EQ(0, benchtest::ShownProgressWindows());
    EXPECT_EQ(RunCursor::Cross, CurrentRunCursor());
    EXPECT_TRUE(ui.Enabled(kSave));
    EXPECT_EQ(results, ui.page->Results());
    for (const ResultCell& cell : FpuResultCells(results)) EXPECT_EQ(cell.text, ui.Cell(cell.row, 1)) << cell.row;
    EXPECT_EQ("100.13 MFLOPS  (0.25 sec)", ui.Cell(1, 1));
    EXPECT_EQ("203.50 MOPS  (1.00 sec)", ui.Cell(4, 1));
    EXPECT_EQ("4812.35 MWIPS", ui.Cell(10, 1));
    EXPECT_EQ("1.50 min  (90.00 sec)", ui.Cell(12, 1));
    for (int row : {0, 9, 11}) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(2));
}

TEST_F(FPUBenchPageTest, CalculationErrorDoesNotStopTheRun)
{
    RunObservations seen;
    ScopedFpuSuite fake(FakeSuite(SampleResults(1.0), seen, ui.List(), ui.page->Control(kSave), true));
    ui.Press(kBenchmark);
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Calculation Error !", prompt.messages[0].first);
    EXPECT_EQ("4812.35 MWIPS", ui.Cell(10, 1));
    EXPECT_TRUE(ui.Enabled(kSave));
}

TEST_F(FPUBenchPageTest, SavedRunLoadsBackAsTheSameStringsInColumnTwo)
{
    benchtest::TempFolder folder;
    RunObservations seen;
    ScopedFpuSuite fake(FakeSuite(SampleResults(1.0), seen, ui.List(), ui.page->Control(kSave)));
    ui.Press(kBenchmark);

    prompt.saveAnswer = folder.File("mine.fpu");
    ui.Press(kSave);
    ASSERT_EQ(1u, prompt.saveRequests.size());
    EXPECT_EQ("FPU Benchmarks (*.fpu)|*.fpu||", prompt.saveRequests[0].filter);
    EXPECT_EQ(308u, std::filesystem::file_size(folder.File("mine.fpu")));

    prompt.openAnswer = folder.File("mine.fpu");
    ui.Press(kLoad);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ui.page->ControlText(1015), ui.page->ControlText(1016));
    EXPECT_EQ(ui.Column(1), ui.Column(2));

    // A second run replaces column 1 and the page's results; the loaded system stays.
    const WhetstoneResults second = SampleResults(2.0);
    ScopedFpuSuite fake2(FakeSuite(second, seen, ui.List(), ui.page->Control(kSave)));
    ui.Press(kBenchmark);
    EXPECT_EQ(second, ui.page->Results());
    EXPECT_EQ("9624.69 MWIPS", ui.Cell(10, 1));
    EXPECT_EQ("4812.35 MWIPS", ui.Cell(10, 2));
    EXPECT_EQ(ui.page->ControlText(1015), ui.page->ControlText(1016));
}

TEST_F(FPUBenchPageTest, LoadBeforeAnyRunFillsColumnTwoOnly)
{
    benchtest::TempFolder folder;
    WhetstoneResults stored = SampleResults(1.0);
    stored.mflops[3] = 0.0;  // any value but -1.0 means MFLOPS, zero included
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("other.fpu"), EncodeFpuRecord("Other machine at 100 MHz", stored)));
    prompt.openAnswer = folder.File("other.fpu");
    ui.Press(kLoad);
    EXPECT_EQ("Other machine at 100 MHz", ui.page->ControlText(1016));
    EXPECT_EQ("0.00 MFLOPS  (1.00 sec)", ui.Cell(4, 2));
    EXPECT_EQ("1.50 min  (90.00 sec)", ui.Cell(12, 2));
    for (int row : {0, 9, 11}) EXPECT_EQ("", ui.Cell(row, 2)) << row;
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(1));
    EXPECT_FALSE(ui.Enabled(kSave));
    EXPECT_EQ(WhetstoneResults{}, ui.page->Results());
}

TEST_F(FPUBenchPageTest, CancelledOrFailedLoadLeavesThePageAsItWas)
{
    ui.Press(kLoad);  // dialog cancelled
    EXPECT_TRUE(prompt.messages.empty());
    prompt.openAnswer = "/nonexistent/folder/missing.fpu";
    ui.Press(kLoad);
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Error !\n\nVext is unable to open the bench file !", prompt.messages[0].first);
    EXPECT_EQ(platform::MessageIcon::Stop, prompt.messages[0].second);
    EXPECT_EQ("", ui.page->ControlText(1016));
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(2));
}
