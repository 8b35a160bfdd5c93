// The Memory and Cores page in a shown sheet with its runs replaced by fakes: a run fills the chart and
// its table, a Cancel ends a slow run at its next step and keeps nothing, closing asks while a run is
// not saved or going on, and a saved run loads back beside the live one, flagged as loaded.
#include <wx/gauge.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "pages/CacheBenchPage.h"
#include "pages/MeasurementPanel.h"
#include "pages/MemoryCoresPage.h"
#include "results/CoresRun.h"
#include "results/MemoryBenchReport.h"
#include "tests/gui/GuiSupport.h"
#include "tests/support/MemoryReports.h"

using namespace app;

using namespace pages;

using namespace results;

namespace {

nlohmann::json FakeLatency(const bench::Context&, const MeasurementHooks& hooks, std::string&)
{
    for (int step = 1; step <= 3; ++step) hooks.onStep(step, 3);
    nlohmann::json json = LatencyJson(memorytest::SmallLatencyReport(false));
    json["run"] = {{"label", "lab"}};
    return json;
}

nlohmann::json FakeCores(const bench::Context&, const MeasurementHooks&, std::string&)
{
    CoresReport report;
    report.counts = {{{0}, 100, 1, 1000, 1}, {{0, 1}, 190, 0.95, 1800, 0.9}};
    return CoresJson(report);
}

class MemoryCoresPageTest : public testing::Test {
protected:
    MemoryCoresPageTest()
    {
        PageMeasurements fakes{FakeLatency, FakeLatency, FakeCores};
        // Steps of 20 ms until stopped, asking before each.
        fakes.bandwidth = [this](const bench::Context&, const MeasurementHooks& hooks, std::string&) {
            while (!hooks.stop()) std::this_thread::sleep_for(std::chrono::milliseconds(20)), hooks.onStep(++slowSteps, 1000);
            return nlohmann::json();
        };
        sheet->AddPage(cache);
        sheet->AddPage(page = new CMemoryCoresPage(fakes));
        sheet->Prepare();
        sheet->Show();
        wxTheApp->Yield(true);
    }
    ~MemoryCoresPageTest() override { sheet->Destroy(), wxTheApp->Yield(true); }

    CMeasurementPanel& Panel(CMemoryCoresPage::Measurement which) { return *page->Panel(which); }
    // Runs the event loop until `done` holds; a hang guard of 5 s, no measure of time.
    void YieldUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < 1000 && !done(); ++i) wxTheApp->Yield(true), std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_TRUE(done());
    }
    void Run(CMemoryCoresPage::Measurement which)
    {
        guitest::Press(Panel(which).RunButton());
        YieldUntil([&] { return !Panel(which).Running(); });
    }

    RecordingPrompt prompt;
    bench::Context context = bench::FakeContext();
    CVextSheet* sheet = new CVextSheet(kSheetCaption, prompt, context);
    CCacheBenchPage* cache = new CCacheBenchPage;
    CMemoryCoresPage* page = nullptr;
    std::atomic<int> slowSteps{0};
};

}  // namespace

TEST_F(MemoryCoresPageTest, ARunFillsTheChartAndItsTableInAPageNoLargerThanTheDesignsPages)
{
    EXPECT_LE(page->GetBestSize().x, cache->GetSize().x);
    EXPECT_LE(page->GetBestSize().y, cache->GetSize().y);
    EXPECT_FALSE(page->HasUnsavedResults());
    CMeasurementPanel& latency = Panel(CMemoryCoresPage::kLatency);
    Run(CMemoryCoresPage::kLatency);
    const std::vector<widgets::PlotSeries>& series = latency.LineChart()->Series();
    ASSERT_EQ(series.size(), 2u);
    EXPECT_EQ(std::make_tuple(series[0].label, series[0].points.size(), series[0].loaded), std::make_tuple(std::string("load-to-use latency"), 3u, false));
    EXPECT_EQ(std::make_tuple(series[0].points[2].x, series[0].points[2].y), std::make_tuple(16.0 * 1024, 4.0));  // 16 Kb, in bytes on the chart
    EXPECT_EQ(latency.Tables()[0]->GetColumnCount(), 3u);  // the block size, then each series
    EXPECT_EQ(latency.Tables()[0]->GetItemCount(), 3);
    EXPECT_EQ(latency.Gauge()->GetValue(), latency.Gauge()->GetRange());
    EXPECT_TRUE(page->HasUnsavedResults() && latency.SaveButton()->IsEnabled());

    Run(CMemoryCoresPage::kCores);
    const std::vector<widgets::CBarChart*>& bars = Panel(CMemoryCoresPage::kCores).BarCharts();
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[1]->Groups().size(), 2u);
    EXPECT_EQ(bars[1]->Groups()[1].values, std::vector<double>{1800});
    EXPECT_EQ(bars[2]->SeriesNames(), (std::vector<std::string>{"CPU", "FPU"}));
}

TEST_F(MemoryCoresPageTest, CancelEndsASlowRunAtItsNextStepAndKeepsNothingWhileTheOtherRunsWait)
{
    CMeasurementPanel& slow = Panel(CMemoryCoresPage::kBandwidth);
    guitest::Press(slow.RunButton());
    YieldUntil([&] { return slowSteps >= 2 && slow.Gauge()->GetValue() >= 1; });
    EXPECT_FALSE(Panel(CMemoryCoresPage::kLatency).RunButton()->IsEnabled() || cache->Control(res::IDC_BENCH_RUN)->IsEnabled());
    EXPECT_TRUE(page->HasUnsavedResults());  // a run going on is not saved
    guitest::Press(slow.CancelButton());
    const int atCancel = slowSteps;
    YieldUntil([&] { return !slow.Running(); });
    EXPECT_LE(slowSteps, atCancel + 1);
    EXPECT_TRUE(slow.LineChart()->Series().empty());
    EXPECT_FALSE(page->HasUnsavedResults() || slow.SaveButton()->IsEnabled());
    EXPECT_TRUE(Panel(CMemoryCoresPage::kLatency).RunButton()->IsEnabled() && cache->Control(res::IDC_BENCH_RUN)->IsEnabled());
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MemoryCoresPageTest, ClosingAsksAfterARunAndDuringOneAndTheRunEndsWithTheSheet)
{
    Run(CMemoryCoresPage::kLatency);
    guitest::Press(sheet->FindWindow(wxID_OK));
    guitest::Press(Panel(CMemoryCoresPage::kBandwidth).RunButton());
    guitest::Press(sheet->FindWindow(wxID_OK));
    EXPECT_EQ(prompt.questions, std::vector<std::string>(2, kUnsavedRunQuestion));
    // The fixture destroys the sheet with the slow run going: its thread is stopped and joined.
}

TEST_F(MemoryCoresPageTest, ASavedRunLoadsBackBesideTheLiveOneFlaggedLoaded)
{
    guitest::TempFolder folder;
    CMeasurementPanel& latency = Panel(CMemoryCoresPage::kLatency);
    Run(CMemoryCoresPage::kLatency);
    prompt.saveAnswer = prompt.openAnswer = folder.File("latency.json");
    guitest::Press(latency.SaveButton());
    EXPECT_FALSE(page->HasUnsavedResults());
    ASSERT_EQ(prompt.saveRequests.size(), 1u);
    EXPECT_EQ(prompt.saveRequests[0].title, "Save Latency Results");

    guitest::Press(latency.LoadButton());
    const std::vector<widgets::PlotSeries>& series = latency.LineChart()->Series();
    ASSERT_EQ(series.size(), 4u);
    EXPECT_EQ(std::make_tuple(series[2].label, series[2].loaded, series[2].points.size()),
              std::make_tuple(std::string("lab: load-to-use latency"), true, 3u));
    EXPECT_EQ(latency.Tables()[0]->GetColumnCount(), 5u);

    // A latency result is no bandwidth result: refused, and nothing drawn.
    guitest::Press(Panel(CMemoryCoresPage::kBandwidth).LoadButton());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].first, "'latency.json' is not a saved bandwidth result: it holds another measurement");
    EXPECT_TRUE(Panel(CMemoryCoresPage::kBandwidth).LineChart()->Series().empty());
}
