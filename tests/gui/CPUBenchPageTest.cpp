// The CPU Benchmark page with the kernels replaced by fast fakes.
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <functional>

#include "bench/CpuSuite.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/CPUBenchPage.h"
#include "pages/CacheBenchPage.h"
#include "pages/FPUBenchPage.h"
#include "tests/gui/BenchPageSupport.h"

using namespace benchtest;

namespace {

constexpr int kEmptyRows[] = {0, 5, 6, 14, 15, 19};

CpuResults Values(uint32_t first)
{
    CpuResults r;
    for (int i = 0; i < CpuResults::kDhrystone; ++i) r.values[i] = first + 111 * static_cast<uint32_t>(i);
    r.values[CpuResults::kDhrystone] = 1666;
    return r;
}

// A run of fixed values; `atKernel` is called as each kernel starts.
CpuSuiteSeam::Fn FixedSuite(const CpuResults& values, std::function<void(int)> atKernel = {})
{
    return [values, atKernel](const CpuSuiteCallbacks& callbacks) {
        CpuKernels kernels = FixedCpuKernels(values);
        for (size_t k = 0; k < kernels.size(); ++k)
            kernels[k] = [k, kernel = kernels[k], atKernel] {
                if (atKernel) atKernel(static_cast<int>(k));
                return kernel();
            };
        return RunCpuSuiteWith(kernels, callbacks);
    };
}

int BarPosition() { return CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1; }

}  // namespace

TEST(BenchPagesLayout, ControlsStandWhereTheTemplatesPutThem)
{
    InstantClocks clocks;
    ExpectTemplateLayout<CCPUBenchPage>();
    ExpectTemplateLayout<CFPUBenchPage>();
    ExpectTemplateLayout<CCacheBenchPage>();
}

class CPUBenchPageTest : public testing::Test {
protected:
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt{prompt};
    SheetWithPage<CCPUBenchPage> ui;
    void Run(const CpuResults& values)
    {
        ScopedCpuSuite fake(FixedSuite(values));
        ui.Press(kBenchmark);
    }
};

TEST_F(CPUBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    ExpectFreshPage(ui, 21);
    const std::pair<int, const char*> rows[] = {{0, "Integer Aritmetic Benchmarks"},
                                                {13, "   Call with 4 param. :"},
                                                {15, "Complex Benhcmarks"},
                                                {20, "Total Benchmark Time :"}};
    for (const auto& [row, text] : rows) EXPECT_EQ(text, ui.Cell(row, 0));
}

TEST_F(CPUBenchPageTest, RowsFillInListOrderWhileTheBarAdvancesByGroup)
{
    const CpuResults values = Values(500);
    int finalPosition = -1;
    ScopedCpuSuite fake([&](const CpuSuiteCallbacks& callbacks) {
        CpuResults results = FixedSuite(values, [&](int k) {
            // Every earlier result is on screen before kernel k starts; nothing of kernel k or later is.
            for (int i = 0; i < CpuResults::kCount; ++i)
                EXPECT_EQ(i < k ? FormatCpuResult(i, values.values[i]) : "", ui.Cell(CpuResultRow(i), 1))
                    << "kernel " << k << ", result " << i;
            EXPECT_EQ(k < 4 ? 0 : k < 11 ? 33 : 66, BarPosition()) << "kernel " << k;
        })(callbacks);
        finalPosition = BarPosition();
        return results;
    });
    ui.Press(kBenchmark);
    EXPECT_EQ(99, finalPosition);
    for (int row : kEmptyRows) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(2));
    ExpectRunClosed(ui);
}

TEST_F(CPUBenchPageTest, SavedRunLoadsBackAsTheSameStringsAndSurvivesTheNextRun)
{
    TempFolder folder;
    Run(Values(1234));
    prompt.saveAnswer = folder.File("mine.cpu");
    ui.Press(kSave);
    ASSERT_EQ(1u, prompt.saveRequests.size());
    EXPECT_EQ("CPU Benchmarks (*.cpu)|*.cpu||", prompt.saveRequests[0].filter);
    EXPECT_EQ(160u, std::filesystem::file_size(folder.File("mine.cpu")));

    prompt.openAnswer = folder.File("mine.cpu");
    ui.Press(kLoad);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ui.page->ControlText(1015), ui.page->ControlText(1016));
    EXPECT_EQ(ui.Column(1), ui.Column(2));
    EXPECT_EQ("1.23 sec  (1234 ms)", ui.Cell(1, 2));

    const std::vector<std::string> loaded = ui.Column(2);
    Run(Values(10));
    EXPECT_EQ("0.01 sec  (10 ms)", ui.Cell(1, 1));
    EXPECT_EQ(Values(10).values[0], ui.page->Results().values[0]);
    EXPECT_EQ(loaded, ui.Column(2));
}

TEST_F(CPUBenchPageTest, ClicksDuringARunAreNotHandled)
{
    wxWindow* load = ui.page->Control(kLoad);
    ui.sheet->Raise();
    wxTheApp->Yield(true);
    auto clickLoad = [load] {
        wxUIActionSimulator sim;
        sim.MouseMove(load->GetScreenPosition() + load->GetSize() / 2);
        sim.MouseClick();
        for (int i = 0; i < 20; ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(5);
        }
    };
    // The user presses "Load Results" while the kernels run.
    ScopedCpuSuite fake(FixedSuite(Values(100), [&](int k) {
        if (k == 2) clickLoad();
    }));
    ui.Press(kBenchmark);
    wxTheApp->Yield(true);
    EXPECT_TRUE(prompt.openRequests.empty()) << "a click during the run opened the file dialog";
    clickLoad();  // the same click once the run is over does reach the button
    EXPECT_EQ(1u, prompt.openRequests.size());
}
