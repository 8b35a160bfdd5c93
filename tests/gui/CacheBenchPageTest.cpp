// The Cache Benchmark page with the 27 measurements replaced by fast fakes, and the chart behind
// "&Compare" caught before it waits for a person.
#include <gtest/gtest.h>
#include <wx/modalhook.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "app/VextApp.h"
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

std::vector<std::string> Formatted(const CacheResults& r)
{
    std::vector<std::string> texts;
    for (double v : r.rates) texts.push_back(FormatCacheRate(v));
    return texts;
}

// What each fake measurement saw when it started.
struct MeasurementView {
    std::vector<std::string> column1;
    int position;
};

// Answers `values` in the suite's order and shape, calling the page back as the real suite does.
CacheSuiteSeam::Fn FakeSuite(const CacheResults& values, wxListCtrl* list = nullptr,
                             std::vector<MeasurementView>* views = nullptr, int* finalPosition = nullptr)
{
    return [=](const CacheSuiteCallbacks& callbacks) {
        CacheResults results;
        for (int group = 0; group < 3; ++group) {
            for (int k = 0; k < CacheResults::kBlockSizes; ++k) {
                const int index = group * CacheResults::kBlockSizes + k;
                if (views) {
                    MeasurementView view;
                    for (int row = 0; row < list->GetItemCount(); ++row)
                        view.column1.emplace_back(list->GetItemText(row, 1).utf8_str());
                    view.position = CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1;
                    views->push_back(view);
                }
                results.rates[static_cast<size_t>(index)] = values.rates[static_cast<size_t>(index)];
                if (callbacks.afterMeasurement) callbacks.afterMeasurement(index, results.rates[static_cast<size_t>(index)], 0);
            }
            if (callbacks.afterGroup) callbacks.afterGroup(group, results);
        }
        if (finalPosition) *finalPosition = CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1;
        return results;
    };
}

// Catches every modal dialog: the chart is recorded and closed at once, anything else fails the test
// and is refused, so nothing ever waits for a person.
class ChartCatcher : public wxModalDialogHook {
public:
    std::vector<CacheChartData> charts;
    std::vector<wxSize> clientSizes;

    ChartCatcher() { Register(); }
    ~ChartCatcher() override { Unregister(); }

protected:
    int Enter(wxDialog* dialog) override
    {
        if (auto* chart = dynamic_cast<CCacheResultsDlg*>(dialog)) {
            charts.push_back(chart->Data());
            clientSizes.push_back(chart->GetClientSize());
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

TEST(CacheBenchPageLayout, ControlsStandWhereTheTemplatePutsThem)
{
    benchtest::InstantClocks clocks;
    EXPECT_EQ("Cache Benchmark", res::FindTemplate(res::IDD_CACHE_BENCH).caption);
    ExpectTemplateLayout<CCacheBenchPage>();
}

TEST(CacheBenchPageLayout, SheetHoldsThePageBeforeAbout)
{
    CVextSheet sheet("Vext v1.0");
    AddSheetPages(sheet);
    int cache = -1, about = -1;
    for (size_t i = 0; i < sheet.PageCount(); ++i) {
        if (wxDynamicCast(sheet.Page(i), CCacheBenchPage)) cache = static_cast<int>(i);
        if (sheet.Page(i)->TemplateId() == res::IDD_ABOUT) about = static_cast<int>(i);
        if (sheet.Page(i)->TemplateId() == res::IDD_FPU_BENCH) {
            EXPECT_EQ(cache, -1) << "after the FPU page";
        }
    }
    ASSERT_GE(cache, 0);
    EXPECT_EQ(about, cache + 1);
    EXPECT_FALSE(sheet.Page(static_cast<size_t>(cache))->IsInitialised()) << "filled when first shown";
}

TEST_F(CacheBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    EXPECT_EQ(benchtest::ExpectedSummary(), ui.page->ControlText(1015));
    EXPECT_EQ("", ui.page->ControlText(1016));
    wxListCtrl* list = ui.List();
    benchtest::ExpectBenchListColumns(list);
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    const std::vector<std::string> rows = ui.Column(0);
    ASSERT_EQ(32u, rows.size());
    const char* sizes[] = {"   2 Kb block :",  "   4 Kb block :",   "   8 Kb block :",   "   16 Kb block :", "   32 Kb block :",
                           "   64 Kb block :", "   128 Kb block :", "   256 Kb block :", "   512 Kb block :"};
    EXPECT_EQ("'MOVSD' benchmark", rows[0]);
    EXPECT_EQ("'MOV' benchmark", rows[11]);
    EXPECT_EQ("'Stepping MOV' benchmark", rows[22]);
    EXPECT_EQ("", rows[10]);
    EXPECT_EQ("", rows[21]);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(sizes[k], rows[static_cast<size_t>(1 + k)]);
        EXPECT_EQ(sizes[k], rows[static_cast<size_t>(12 + k)]);
        EXPECT_EQ(sizes[k], rows[static_cast<size_t>(23 + k)]);
    }
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(1));
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(2));
    EXPECT_TRUE(ui.Enabled(kBenchmark));
    EXPECT_TRUE(ui.Enabled(kLoad));
    EXPECT_FALSE(ui.Enabled(kSave));
    EXPECT_FALSE(ui.Enabled(kCompare));
    EXPECT_EQ(CacheResults{}, ui.page->YourResults());
    EXPECT_EQ(CacheResults{}, ui.page->LoadedResults());
}

TEST_F(CacheBenchPageTest, GroupsFillInOrderWhileTheBarAdvancesToNinetyNine)
{
    const CacheResults values = Rates(100.0, 10.0);
    std::vector<MeasurementView> views;
    int finalPosition = -1;
    {
        ScopedCacheSuite fake(FakeSuite(values, ui.List(), &views, &finalPosition));
        ui.Press(kBenchmark);
    }
    ASSERT_EQ(27u, views.size());
    for (int m = 0; m < 27; ++m) {
        const int group = m / 9;
        // The groups before this measurement's are on screen; its own and later ones are not yet.
        for (int i = 0; i < 27; ++i) {
            const std::string& cell = views[static_cast<size_t>(m)].column1[static_cast<size_t>(CacheResultRow(i))];
            if (i / 9 < group)
                EXPECT_EQ(FormatCacheRate(values.rates[static_cast<size_t>(i)]), cell) << "measurement " << m << ", result " << i;
            else
                EXPECT_EQ("", cell) << "measurement " << m << ", result " << i;
        }
        EXPECT_EQ(33 * group, views[static_cast<size_t>(m)].position) << "measurement " << m;
    }
    EXPECT_EQ(99, finalPosition);

    EXPECT_EQ(values, ui.page->YourResults());
    for (int i = 0; i < 27; ++i) EXPECT_EQ(FormatCacheRate(values.rates[static_cast<size_t>(i)]), ui.Cell(CacheResultRow(i), 1));
    EXPECT_EQ("100.00 Mb/sec", ui.Cell(1, 1));   // 2 Kb MOVSD first
    EXPECT_EQ("180.00 Mb/sec", ui.Cell(9, 1));   // 512 Kb MOVSD last
    EXPECT_EQ("190.00 Mb/sec", ui.Cell(12, 1));  // 2 Kb MOV
    EXPECT_EQ("360.00 Mb/sec", ui.Cell(31, 1));  // 512 Kb Stepping MOV
    for (int row : kTitleAndSpacerRows) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(2));

    EXPECT_EQ(0, benchtest::ShownProgressWindows());
    EXPECT_EQ(RunCursor::Cross, CurrentRunCursor());
    EXPECT_TRUE(ui.Enabled(kSave));
    EXPECT_FALSE(ui.Enabled(kCompare)) << "a run never enables Compare";
    EXPECT_TRUE(ui.sheet->IsEnabled());
    EXPECT_TRUE(catcher.charts.empty());
}

TEST_F(CacheBenchPageTest, RatesShowWithTwoDecimalsHalvesUpAndInfinityInWords)
{
    CacheResults values = Rates(1.0, 1.0);
    values.rates[0] = kInf;      // a block done within one timer tick
    values.rates[9] = 2000.0;    // 512 Kb worth of MOVSD in one second
    values.rates[18] = 0.125;    // an exact half rounds up
    values.rates[26] = 3.90625;  // the 2 Kb credit in one second
    Run(values);
    EXPECT_EQ("infinite Mb/sec", ui.Cell(1, 1));
    EXPECT_EQ("2000.00 Mb/sec", ui.Cell(12, 1));
    EXPECT_EQ("0.13 Mb/sec", ui.Cell(23, 1));
    EXPECT_EQ("3.91 Mb/sec", ui.Cell(31, 1));
    EXPECT_TRUE(std::isinf(ui.page->YourResults().rates[0]));
}

TEST_F(CacheBenchPageTest, MemoryErrorsAreReportedAndTheRunGoesOnWithInfiniteRates)
{
    // The real suite, with no block ever to be had: no kernel runs, each measurement tells the user.
    int releases = 0;
    ScopedCacheBlockAllocate noMemory([](size_t) -> void* { return nullptr; });
    ScopedCacheBlockRelease countReleases([&](void*) { ++releases; });
    ui.Press(kBenchmark);
    ASSERT_EQ(27u, prompt.messages.size());
    for (const auto& [text, icon] : prompt.messages) {
        EXPECT_EQ("Memory error !", text);
        EXPECT_EQ(platform::MessageIcon::None, icon);
    }
    for (int i = 0; i < 27; ++i) EXPECT_EQ("infinite Mb/sec", ui.Cell(CacheResultRow(i), 1)) << i;
    EXPECT_TRUE(ui.Enabled(kSave));
    EXPECT_EQ(0, benchtest::ShownProgressWindows());
}

TEST_F(CacheBenchPageTest, SavedRunLoadsBackAsTheSameStringsAndEnablesCompare)
{
    benchtest::TempFolder folder;
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
    EXPECT_EQ(values, ui.page->LoadedResults());
    EXPECT_TRUE(ui.Enabled(kCompare));
    EXPECT_TRUE(ui.Enabled(kSave));

    ui.Press(kCompare);
    ASSERT_EQ(1u, catcher.charts.size());
    const CacheChartData& chart = catcher.charts[0];
    EXPECT_EQ(ui.page->ControlText(1015) + " (Your system)", chart.yourLegend);
    EXPECT_EQ(ui.page->ControlText(1016), chart.loadedLegend);
    EXPECT_EQ(values, chart.yourResults);
    EXPECT_EQ(values, chart.loadedResults);
    EXPECT_GE(catcher.clientSizes[0].x, 720) << "room for the three panels";
}

TEST_F(CacheBenchPageTest, LoadBeforeAnyRunComparesAgainstCurvesAtZero)
{
    benchtest::TempFolder folder;
    const CacheResults stored = Rates(10.0, 2.5);
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("other.cache"), EncodeCacheRecord("Other machine at 100 MHz", stored)));
    LoadFile(folder.File("other.cache"));
    EXPECT_EQ("Other machine at 100 MHz", ui.page->ControlText(1016));
    EXPECT_EQ(Formatted(stored)[26], ui.Cell(31, 2));
    for (int row : kTitleAndSpacerRows) EXPECT_EQ("", ui.Cell(row, 2)) << row;
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(1));
    EXPECT_FALSE(ui.Enabled(kSave));
    EXPECT_TRUE(ui.Enabled(kCompare));

    ui.Press(kCompare);
    ASSERT_EQ(1u, catcher.charts.size());
    EXPECT_EQ(CacheResults{}, catcher.charts[0].yourResults);
    EXPECT_EQ(stored, catcher.charts[0].loadedResults);
    EXPECT_EQ("Other machine at 100 MHz", catcher.charts[0].loadedLegend);

    // A later run leaves the loaded side and Compare as they are.
    Run(Rates(5.0, 0.0));
    EXPECT_EQ(Formatted(stored)[0], ui.Cell(1, 2));
    EXPECT_EQ("Other machine at 100 MHz", ui.page->ControlText(1016));
    EXPECT_TRUE(ui.Enabled(kCompare));
    EXPECT_EQ("5.00 Mb/sec", ui.Cell(1, 1));
}

TEST_F(CacheBenchPageTest, LegendsTakeAtMostNinetyNineCharactersOfEachBox)
{
    benchtest::TempFolder folder;
    const std::string stored(99, 'L');
    ASSERT_EQ(ResultFileStatus::Ok, WriteResultFile(folder.File("long.cache"), EncodeCacheRecord(stored, Rates(1, 1))));
    LoadFile(folder.File("long.cache"));
    ui.page->SetControlText(1015, std::string(98, 'Y') + "\xC3\xA9" + "tail");  // a two-byte character as the 99th

    ui.Press(kCompare);
    ASSERT_EQ(1u, catcher.charts.size());
    EXPECT_EQ(std::string(98, 'Y') + "\xC3\xA9" + " (Your system)", catcher.charts[0].yourLegend);
    EXPECT_EQ(stored, catcher.charts[0].loadedLegend);

    // Another machine's 8-bit text shows as its characters, not as an empty box.
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("latin.cache"), EncodeCacheRecord("Pentium\xAE at 90 MHz", Rates(1, 1))));
    LoadFile(folder.File("latin.cache"));
    EXPECT_EQ("Pentium\xC2\xAE at 90 MHz", ui.page->ControlText(1016));
}

TEST_F(CacheBenchPageTest, CancelledOrFailedLoadsLeaveThePageAsItWas)
{
    benchtest::TempFolder folder;
    ui.Press(kLoad);  // Open dialog cancelled
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_FALSE(ui.Enabled(kCompare));

    LoadFile(folder.File("missing.cache"));
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Error !\n\nVext is unable to open the bench file !", prompt.messages[0].first);
    EXPECT_EQ(platform::MessageIcon::Stop, prompt.messages[0].second);

    // A file shorter than its record is refused, never shown in part.
    ASSERT_EQ(ResultFileStatus::Ok, WriteResultFile(folder.File("short.cache"), EncodeCacheRecord("x", Rates(1, 1))));
    std::filesystem::resize_file(folder.File("short.cache"), 200);
    LoadFile(folder.File("short.cache"));
    EXPECT_EQ(2u, prompt.messages.size());

    EXPECT_EQ("", ui.page->ControlText(1016));
    EXPECT_EQ(std::vector<std::string>(32, ""), ui.Column(2));
    EXPECT_EQ(CacheResults{}, ui.page->LoadedResults());
    EXPECT_FALSE(ui.Enabled(kCompare));

    // After a good load, a failed one keeps what was loaded.
    ASSERT_EQ(ResultFileStatus::Ok, WriteResultFile(folder.File("good.cache"), EncodeCacheRecord("Good", Rates(7, 0))));
    LoadFile(folder.File("good.cache"));
    LoadFile(folder.File("missing.cache"));
    EXPECT_EQ("Good", ui.page->ControlText(1016));
    EXPECT_EQ("7.00 Mb/sec", ui.Cell(31, 2));
    EXPECT_TRUE(ui.Enabled(kCompare));
}

TEST_F(CacheBenchPageTest, ASecondRunOverwritesEveryCellOfTheFirst)
{
    Run(Rates(100.0, 1.0));
    Run(Rates(0.5, 0.0));
    EXPECT_EQ(Rates(0.5, 0.0), ui.page->YourResults());
    for (int i = 0; i < 27; ++i) EXPECT_EQ("0.50 Mb/sec", ui.Cell(CacheResultRow(i), 1)) << i;
    ui.Press(kSave);  // Save dialog cancelled: nothing written, nothing said
    EXPECT_EQ(1u, prompt.saveRequests.size());
    EXPECT_TRUE(prompt.messages.empty());
}
