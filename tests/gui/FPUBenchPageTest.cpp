// The FPU Benchmark page with the Whetstone run replaced by a fast fake.

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

// What the page showed during a faked run.
struct RunObservations {
    std::vector<int> positions;  // bar position after beforeRun and after afterRun
    bool shownAndPaintedAtStart = false;
    bool saveEnabledDuringRun = true;
    bool rowsEmptyDuringRun = false;
};

// A run answering `results`; with `calculationError` it tells the user so halfway, as the real run does.
FpuSuiteSeam::Fn FakeSuite(const WhetstoneResults& results, RunObservations& seen, const SheetWithPage<CFPUBenchPage>& ui,
                           bool calculationError = false)
{
    return [&seen, &ui, results, calculationError](const FpuSuiteCallbacks& cb) {
        CBenchProgressDlg& progress = CBenchRun::Active()->Progress();
        seen.shownAndPaintedAtStart = progress.IsShown() && progress.PaintCount() > 0;
        cb.beforeRun();
        seen.positions.push_back(progress.Position());
        for (int s = 0; s < 8; ++s) cb.afterSection(s, false);
        seen.rowsEmptyDuringRun = ui.Cell(1, 1).empty();
        if (calculationError) platform::Prompt().ShowMessage("Calculation Error !", platform::MessageIcon::None);
        cb.afterRun();
        seen.positions.push_back(progress.Position());
        seen.saveEnabledDuringRun = ui.Enabled(kSave);
        return results;
    };
}

}  // namespace

class FPUBenchPageTest : public testing::Test {
protected:
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt{prompt};
    SheetWithPage<CFPUBenchPage> ui;
    RunObservations seen;
};

TEST_F(FPUBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    ExpectFreshPage(ui, 13);
    EXPECT_EQ(std::vector<std::string>(kFpuListRows, kFpuListRows + kFpuListRowCount), ui.Column(0));
    EXPECT_EQ("   Total Benchmark Time :", ui.Cell(12, 0));
}

TEST_F(FPUBenchPageTest, RunAdvancesTo66FillsColumnOneAndACalculationErrorDoesNotStopIt)
{
    const WhetstoneResults results = SampleResults(1.0);
    ScopedFpuSuite fake(FakeSuite(results, seen, ui, true));
    ui.Press(kBenchmark);

    EXPECT_TRUE(seen.shownAndPaintedAtStart);
    EXPECT_EQ((std::vector<int>{33, 66}), seen.positions);
    EXPECT_FALSE(seen.saveEnabledDuringRun);
    EXPECT_TRUE(seen.rowsEmptyDuringRun);
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Calculation Error !", prompt.messages[0].first);

    ExpectRunClosed(ui);
    EXPECT_EQ(results, ui.page->Results());
    EXPECT_EQ("100.13 MFLOPS  (0.25 sec)", ui.Cell(1, 1));
    EXPECT_EQ("203.50 MOPS  (1.00 sec)", ui.Cell(4, 1));
    EXPECT_EQ("4812.35 MWIPS", ui.Cell(10, 1));
    EXPECT_EQ("1.50 min  (90.00 sec)", ui.Cell(12, 1));
    for (int row : {0, 9, 11}) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(13, ""), ui.Column(2));
}

TEST_F(FPUBenchPageTest, FailedLoadsChangeNothingAndALoadBeforeAnyRunFillsColumnTwoOnly)
{
    ExpectFailedLoadsChangeNothing(ui, prompt, "/nonexistent/folder/missing.fpu");
    TempFolder folder;
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
