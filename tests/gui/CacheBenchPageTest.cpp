// The Cache Benchmark page with the 27 measurements replaced by fast fakes, and the chart behind
// "&Compare" caught before it waits for a person.
#include <wx/modalhook.h>

#include <cmath>
#include <functional>
#include <limits>

#include "bench/BenchSuites.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"
#include "pages/CacheBenchPage.h"
#include "pages/CacheResultsDlg.h"
#include "tests/gui/BenchPageSupport.h"

using namespace benchtest;

namespace {

constexpr int kCompare = CCacheBenchPage::kCompareId;
constexpr int kTitleAndSpacerRows[] = {0, 10, 11, 21, 22};
constexpr double kInf = std::numeric_limits<double>::infinity();

CacheResults Rates(double first, double step)
{
    CacheResults r;
    for (int i = 0; i < CacheResults::kCount; ++i) r.rates[static_cast<size_t>(i)] = first + step * i;
    return r;
}

std::string Formatted(const CacheResults& r, int i) { return FormatCacheRate(r.rates[static_cast<size_t>(i)]); }

// Answers `values` in the suite's order and shape, calling the page back as the real suite does;
// `atMeasurement` is called as each measurement starts.
CacheSuiteSeam::Fn FakeSuite(const CacheResults& values, std::function<void(int)> atMeasurement = {})
{
    return [=](const CacheSuiteCallbacks& callbacks) {
        CacheResults results;
        for (int group = 0; group < 3; ++group) {
            for (int k = 0; k < CacheResults::kBlockSizes; ++k) {
                const size_t index = static_cast<size_t>(group * CacheResults::kBlockSizes + k);
                if (atMeasurement) atMeasurement(static_cast<int>(index));
                results.rates[index] = values.rates[index];
                if (callbacks.afterMeasurement) callbacks.afterMeasurement(static_cast<int>(index), results.rates[index], 0);
            }
            if (callbacks.afterGroup) callbacks.afterGroup(group, results);
        }
        return results;
    };
}

int BarPosition() { return CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1; }

// Catches every modal dialog: the chart is recorded and closed at once, anything else fails the test
// and is refused, so nothing ever waits for a person.
class ChartCatcher : public wxModalDialogHook {
public:
    std::vector<CacheChartData> charts;

    ChartCatcher() { Register(); }
    ~ChartCatcher() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* chart = dynamic_cast<CCacheResultsDlg*>(dialog)) {
            charts.push_back(chart->Data());
            return wxID_OK;
        }
        ADD_FAILURE() << "unexpected modal dialog \"" << dialog->GetTitle().utf8_str() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

class CacheBenchPageTest : public testing::Test {
protected:
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt{prompt};
    ChartCatcher catcher;
    SheetWithPage<CCacheBenchPage> ui;

    void Run(const CacheResults& values)
    {
        ScopedCacheSuite fake(FakeSuite(values));
        ui.Press(kBenchmark);
    }
    void LoadFile(const std::string& path)
    {
        prompt.openAnswer = path;
        ui.Press(kLoad);
    }
};

}  // namespace

TEST_F(CacheBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    ExpectFreshPage(ui, 32);
    const std::vector<std::string> rows = ui.Column(0);
    EXPECT_EQ("'MOVSD' benchmark", rows[0]);
    EXPECT_EQ("'MOV' benchmark", rows[11]);
    EXPECT_EQ("'Stepping MOV' benchmark", rows[22]);
    EXPECT_EQ(rows[10] + rows[21], "");  // spacers
    for (int k = 0; k < 9; ++k)
        for (size_t first : {1, 12, 23}) EXPECT_EQ("   " + std::to_string(2 << k) + " Kb block :", rows[first + k]);
    EXPECT_FALSE(ui.Enabled(kCompare));
}

TEST_F(CacheBenchPageTest, GroupsFillInOrderWhileTheBarAdvancesToNinetyNine)
{
    CacheResults values = Rates(100.0, 10.0);
    values.rates[0] = kInf;     // a block done within one timer tick
    values.rates[18] = 0.125;   // an exact half rounds up
    int finalPosition = -1;
    {
        ScopedCacheSuite fake([&](const CacheSuiteCallbacks& callbacks) {
            CacheResults results = FakeSuite(values, [&](int m) {
                // The groups before this measurement's are on screen; its own and later ones are not yet.
                for (int i = 0; i < 27; ++i)
                    EXPECT_EQ(i / 9 < m / 9 ? Formatted(values, i) : "", ui.Cell(CacheResultRow(i), 1))
                        << "measurement " << m << ", result " << i;
                EXPECT_EQ(33 * (m / 9), BarPosition()) << "measurement " << m;
            })(callbacks);
            finalPosition = BarPosition();
            return results;
        });
        ui.Press(kBenchmark);
    }
    EXPECT_EQ(99, finalPosition);
    EXPECT_EQ(values, ui.page->YourResults());
    EXPECT_EQ("infinite Mb/sec", ui.Cell(1, 1));  // 2 Kb MOVSD first
    EXPECT_EQ("180.00 Mb/sec", ui.Cell(9, 1));    // 512 Kb MOVSD last
    EXPECT_EQ("190.00 Mb/sec", ui.Cell(12, 1));   // 2 Kb MOV
    EXPECT_EQ("0.13 Mb/sec", ui.Cell(23, 1));     // 2 Kb Stepping MOV
    EXPECT_EQ("360.00 Mb/sec", ui.Cell(31, 1));   // 512 Kb Stepping MOV
    for (int row : kTitleAndSpacerRows) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(2));

    ExpectRunClosed(ui);
    EXPECT_FALSE(ui.Enabled(kCompare)) << "a run never enables Compare";
    EXPECT_TRUE(catcher.charts.empty());
}

TEST_F(CacheBenchPageTest, MemoryErrorsAreReportedAndTheRunGoesOnWithInfiniteRates)
{
    // The real suite, with no block ever to be had: no kernel runs, each measurement tells the user.
    ScopedCacheBlockAllocate noMemory([](size_t) -> void* { return nullptr; });
    ScopedCacheBlockRelease noRelease([](void*) {});
    ui.Press(kBenchmark);
    ASSERT_EQ(27u, prompt.messages.size());
    for (const auto& [text, icon] : prompt.messages) {
        EXPECT_EQ("Memory error !", text);
        EXPECT_EQ(platform::MessageIcon::None, icon);
    }
    for (int i = 0; i < 27; ++i) EXPECT_EQ("infinite Mb/sec", ui.Cell(CacheResultRow(i), 1)) << i;
    ExpectRunClosed(ui);
}

TEST_F(CacheBenchPageTest, SavedRunLoadsBackAsTheSameStringsAndEnablesCompare)
{
    TempFolder folder;
    CacheResults values = Rates(1500.0, -37.5);
    values.rates[4] = kInf;
    Run(values);
    prompt.saveAnswer = folder.File("mine.cache");
    ui.Press(kSave);
    ASSERT_EQ(1u, prompt.saveRequests.size());
    EXPECT_EQ("Cache Benchmarks (*.cache)|*.cache||", prompt.saveRequests[0].filter);
    EXPECT_EQ("cache", prompt.saveRequests[0].defaultExtension);
    ASSERT_EQ(316u, std::filesystem::file_size(folder.File("mine.cache")));
    EXPECT_FALSE(ui.Enabled(kCompare)) << "a save changes nothing on the page";

    LoadFile(folder.File("mine.cache"));
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(1u, prompt.openRequests.size());
    EXPECT_EQ("Cache Benchmarks (*.cache)|*.cache||", prompt.openRequests[0].filter);
    EXPECT_EQ(ui.page->ControlText(1015), ui.page->ControlText(1016));
    EXPECT_EQ(ui.Column(1), ui.Column(2));
    EXPECT_EQ("infinite Mb/sec", ui.Cell(5, 2));
    EXPECT_TRUE(ui.Enabled(kCompare) && ui.Enabled(kSave));

    ui.Press(kCompare);
    ASSERT_EQ(1u, catcher.charts.size());
    const CacheChartData& chart = catcher.charts[0];
    EXPECT_EQ(ui.page->ControlText(1015) + " (Your system)", chart.yourLegend);
    EXPECT_EQ(ui.page->ControlText(1016), chart.loadedLegend);
    EXPECT_EQ(values, chart.yourResults);
    EXPECT_EQ(values, chart.loadedResults);
}

