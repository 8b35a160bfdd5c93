// The CPU Benchmark page with the kernels replaced by fast fakes.
#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <filesystem>

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

// What each fake kernel saw when it started.
struct KernelView {
    std::vector<std::string> column1;
    int position;
};

// A run of fixed values that records, at the start of every kernel, column 1 and the bar.
CpuSuiteSeam::Fn RecordingSuite(const CpuResults& values, wxListCtrl* list, std::vector<KernelView>& views,
                                int& finalPosition)
{
    return [=, &views, &finalPosition](const CpuSuiteCallbacks& callbacks) {
        CpuKernels kernels = FixedCpuKernels(values);
        for (auto& kernel : kernels) {
            kernel = [kernel, list, &views] {
                KernelView view;
                for (int row = 0; row < list->GetItemCount(); ++row)
                    view.column1.emplace_back(list->GetItemText(row, 1).utf8_str());
                view.position = CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1;
                views.push_back(view);
                return kernel();
            };
        }
        CpuResults results = RunCpuSuiteWith(kernels, callbacks);
        finalPosition = CBenchRun::Active() ? CBenchRun::Active()->Progress().Position() : -1;
        return results;
    };
}

CpuSuiteSeam::Fn FixedSuite(const CpuResults& values)
{
    return [values](const CpuSuiteCallbacks& callbacks) { return RunCpuSuiteWith(FixedCpuKernels(values), callbacks); };
}

}  // namespace

TEST(BenchPagesLayout, ControlsStandWhereTheTemplatesPutThem)
{
    benchtest::InstantClocks clocks;
    ExpectTemplateLayout<CCPUBenchPage>();
    ExpectTemplateLayout<CFPUBenchPage>();
}

TEST(BenchPagesLayout, PagesAreCreatableByName)
{
    for (const char* name : {"CCPUBenchPage", "CFPUBenchPage", "CCacheBenchPage"}) {
        wxObject* object = wxCreateDynamicObject(name);
        ASSERT_NE(nullptr, object) << name;
        EXPECT_NE(nullptr, wxDynamicCast(object, CBenchPage)) << name;
        EXPECT_NE(nullptr, wxDynamicCast(object, CTemplatePage)) << name;
        delete object;
    }
}

class CPUBenchPageTest : public testing::Test {
protected:
    RecordingPrompt prompt;
    platform::ScopedPrompt scopedPrompt{prompt};
    SheetWithPage<CCPUBenchPage> ui;
};

TEST_F(CPUBenchPageTest, FirstShowingFillsTheSummaryColumnsAndRows)
{
    EXPECT_EQ(benchtest::ExpectedSummary(), ui.page->ControlText(1015));
    EXPECT_EQ("", ui.page->ControlText(1016));
    wxListCtrl* list = ui.List();
    benchtest::ExpectBenchListColumns(list);
    EXPECT_TRUE(list->HasFlag(wxLC_REPORT));
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    std::vector<std::string> rows = ui.Column(0);
    ASSERT_EQ(21u, rows.size());
    EXPECT_EQ("Integer Aritmetic Benchmarks", rows[0]);
    EXPECT_EQ("   Call with 4 param. :", rows[13]);
    EXPECT_EQ("Complex Benhcmarks", rows[15]);
    EXPECT_EQ("Total Benchmark Time :", rows[20]);
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(1));
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(2));
    EXPECT_TRUE(ui.Enabled(kBenchmark));
    EXPECT_TRUE(ui.Enabled(kLoad));
    EXPECT_FALSE(ui.Enabled(kSave));
}

TEST_F(CPUBenchPageTest, RowsFillInListOrderWhileTheBarAdvancesByGroup)
{
    const CpuResults values = Values(500);
    std::vector<KernelView> views;
    int finalPosition = -1;
    ScopedCpuSuite fake(RecordingSuite(values, ui.List(), views, finalPosition));
    ui.Press(kBenchmark);

    ASSERT_EQ(14u, views.size());
    for (int k = 0; k < 14; ++k) {
        // Every earlier result is on screen before kernel k starts; nothing of kernel k or later is.
        for (int i = 0; i < CpuResults::kCount; ++i) {
            std::string cell = views[k].column1[CpuResultRow(i)];
            if (i < k)
                EXPECT_EQ(FormatCpuResult(i, values.values[i]), cell) << "kernel " << k << ", result " << i;
            else
                EXPECT_EQ("", cell) << "kernel " << k << ", result " << i;
        }
        EXPECT_EQ(k < 4 ? 0 : k < 11 ? 33 : 66, views[k].position) << "kernel " << k;
    }
    EXPECT_EQ(99, finalPosition);

    for (int row : kEmptyRows) EXPECT_EQ("", ui.Cell(row, 1)) << row;
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(2));
    EXPECT_EQ(0, benchtest::ShownProgressWindows());
    EXPECT_EQ(RunCursor::Cross, CurrentRunCursor());
    EXPECT_TRUE(ui.Enabled(kSave));
    EXPECT_TRUE(ui.sheet->IsEnabled());
}

TEST_F(CPUBenchPageTest, ThirteenSecondsOfKernelsShowAsSecondsAndMinutes)
{
    CpuResults values;
    values.values.fill(1000);
    values.values[CpuResults::kDhrystone] = 4321;
    ScopedCpuSuite fake(FixedSuite(values));
    ui.Press(kBenchmark);
    for (int row : {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 16, 17}) EXPECT_EQ("1.00 sec  (1000 ms)", ui.Cell(row, 1)) << row;
    EXPECT_EQ("4321 KDhryst./sec", ui.Cell(18, 1));
    EXPECT_EQ("0.22 min  (13.00 s.)", ui.Cell(20, 1));
    EXPECT_EQ(13000u, ui.page->Results().values[CpuResults::kTotal]);
    EXPECT_EQ(4321u, ui.page->Results().values[CpuResults::kDhrystone]);
}

TEST_F(CPUBenchPageTest, SavedRunLoadsBackAsTheSameStringsAndSurvivesTheNextRun)
{
    benchtest::TempFolder folder;
    {
        ScopedCpuSuite fake(FixedSuite(Values(1234)));
        ui.Press(kBenchmark);
    }
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
    {
        ScopedCpuSuite fake(FixedSuite(Values(10)));
        ui.Press(kBenchmark);
    }
    EXPECT_EQ("0.01 sec  (10 ms)", ui.Cell(1, 1));
    EXPECT_EQ(Values(10).values[0], ui.page->Results().values[0]);
    EXPECT_EQ(loaded, ui.Column(2));
    EXPECT_EQ(ui.page->ControlText(1015), ui.page->ControlText(1016));
}

TEST_F(CPUBenchPageTest, LoadBeforeAnyRunFillsColumnTwoOnlyAndSaveStaysDisabled)
{
    benchtest::TempFolder folder;
    CpuResults stored = Values(2000);
    stored.values[CpuResults::kTotal] = 90000;  // shown as stored, not recomputed
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("other.cpu"), EncodeCpuRecord("Other machine at 100 MHz", stored)));
    prompt.openAnswer = folder.File("other.cpu");
    ui.Press(kLoad);
    EXPECT_EQ("Other machine at 100 MHz", ui.page->ControlText(1016));
    EXPECT_EQ("2.00 sec  (2000 ms)", ui.Cell(1, 2));
    EXPECT_EQ("1666 KDhryst./sec", ui.Cell(18, 2));
    EXPECT_EQ("1.50 min  (90.00 s.)", ui.Cell(20, 2));
    for (int row : kEmptyRows) EXPECT_EQ("", ui.Cell(row, 2)) << row;
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(1));
    EXPECT_FALSE(ui.Enabled(kSave));
    EXPECT_EQ(CpuResults{}, ui.page->Results());
}

TEST_F(CPUBenchPageTest, CancelledOrFailedFileOperationsLeaveThePageAsItWas)
{
    ui.Press(kLoad);  // Open dialog cancelled
    benchtest::TempFolder folder;
    prompt.openAnswer = folder.File("missing.cpu");
    ui.Press(kLoad);
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Error !\n\nVext is unable to open the bench file !", prompt.messages[0].first);
    EXPECT_EQ(platform::MessageIcon::Stop, prompt.messages[0].second);

    // A file shorter than its record is refused, never shown in part.
    std::filesystem::resize_file(
        (WriteResultFile(folder.File("short.cpu"), EncodeCpuRecord("x", Values(1))), folder.File("short.cpu")), 120);
    prompt.openAnswer = folder.File("short.cpu");
    ui.Press(kLoad);
    EXPECT_EQ(2u, prompt.messages.size());
    EXPECT_EQ("", ui.page->ControlText(1016));
    EXPECT_EQ(std::vector<std::string>(21, ""), ui.Column(2));

    {
        ScopedCpuSuite fake(FixedSuite(Values(1)));
        ui.Press(kBenchmark);
    }
    ui.Press(kSave);  // Save dialog cancelled: nothing written, nothing said
    EXPECT_EQ(1u, prompt.saveRequests.size());
    EXPECT_EQ(2u, prompt.messages.size());
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder.path), {}));  // short.cpu only
}

TEST_F(CPUBenchPageTest, LoadedSummaryIsShownCharacterForCharacter)
{
    benchtest::TempFolder folder;
    // An '&' is no mnemonic here, and a file from a machine with an 8-bit code page still shows its text.
    ASSERT_EQ(ResultFileStatus::Ok,
              WriteResultFile(folder.File("amp.cpu"), EncodeCpuRecord("Pentium\xAE & co at 100 MHz", Values(1))));
    prompt.openAnswer = folder.File("amp.cpu");
    ui.Press(kLoad);
    EXPECT_EQ("Pentium\xC2\xAE & co at 100 MHz", ui.page->ControlText(1016));
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
    CpuResults values = Values(100);
    ScopedCpuSuite fake([&](const CpuSuiteCallbacks& callbacks) {
        CpuKernels kernels = FixedCpuKernels(values);
        kernels[2] = [&] {
            clickLoad();  // the user presses "Load Results" while the kernels run
            return values.values[2];
        };
        return RunCpuSuiteWith(kernels, callbacks);
    });
    ui.Press(kBenchmark);
    wxTheApp->Yield(true);
    EXPECT_TRUE(prompt.openRequests.empty()) << "a click during the run opened the file dialog";

    // The same click once the run is over does reach the button.
    clickLoad();
    EXPECT_EQ(1u, prompt.openRequests.size());
}
