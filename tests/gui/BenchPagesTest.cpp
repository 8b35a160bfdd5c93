// The three benchmark pages with their runs replaced by fast fakes. Every control's text through failed
// loads, a run, a save, a load and a second run, and what the page shows as each measurement starts,
// are compared with tests/data/gui.
#include <wx/uiaction.h>

#include <functional>

#include "bench/BenchContext.h"
#include "cpu/Clock.h"
#include "cpu/SystemSummary.h"
#include "pages/CPUBenchPage.h"
#include "pages/CacheBenchPage.h"
#include "pages/CacheResultsDlg.h"
#include "pages/FPUBenchPage.h"
#include "tests/gui/GuiSupport.h"

using namespace app;

using namespace pages;

using namespace widgets;

using namespace bench;

using namespace cpu;

using namespace guitest;

namespace {

constexpr int kBenchmark = res::IDC_BENCH_RUN, kLoad = res::IDC_BENCH_LOAD, kSave = res::IDC_BENCH_SAVE;
using Step = std::function<void(int)>;

// Each page with a fake run in `suites` answering values made from `scale` and calling `step` after each result.
struct CpuPage {
    using Page = CCPUBenchPage;
    static constexpr const char* kName = "cpu";
    static void Fake(bench::Suites& suites, uint32_t scale, Step step)
    {
        CpuResults v;
        for (int i = 0; i < CpuResults::kTotal; ++i) v.values[i] = 400 * scale + 111 * static_cast<uint32_t>(i);
        suites.cpu = [v, step](const platform::Machine&, const CpuSuiteCallbacks& cb) {
            auto onResult = [&](int i, uint32_t value) { cb.onResult(i, value), step(i); };
            return RunCpuSuiteWith(FixedCpuKernels(v), {onResult, cb.onGroupEnd, cb.onFailure});
        };
    }
};

struct FpuPage {
    using Page = CFPUBenchPage;
    static constexpr const char* kName = "fpu";
    static void Fake(bench::Suites& suites, uint32_t scale, Step step)
    {
        WhetstoneResults r;
        r.mflops.fill(-1.0), r.mops.fill(-1.0);
        for (int s = 0; s < 8; ++s)  // N1, N2 and N6 are rated in MFLOPS, the others in MOPS
            (s == 0 || s == 1 || s == 5 ? r.mflops : r.mops)[s] = 100.125 * scale + s, r.seconds[s] = 0.25 * (s + 1);
        r.mwips = 4812.345 * scale, r.totalSeconds = 90.0;
        suites.fpu = [r, step](const platform::Machine&, const FpuSuiteCallbacks& cb) {
            step(0);
            cb.beforeRun();
            step(1);
            for (int s = 0; s < 8; ++s) cb.afterSection(s, false);
            // A calculation error is told halfway and does not stop the run.
            cb.onFailure(BenchFailure::WhetstoneCalculation);
            cb.afterRun();
            step(2);
            return r;
        };
    }
};

struct CachePage {
    using Page = CCacheBenchPage;
    static constexpr const char* kName = "cache";
    static void Fake(bench::Suites& suites, uint32_t scale, Step step)
    {
        suites.cache = [scale, step](const platform::Machine&, const CacheSuiteCallbacks& cb) {
            CacheResults r;
            for (int i = 0; i < CacheResults::kCount; ++i) {
                // A block done within one timer tick is infinitely fast; 0.125 is an exact half.
                r.rates[i] = i == 4 ? std::numeric_limits<double>::infinity() : i == 18 ? 0.125 : 1500.0 * scale - 37.5 * i;
                if (cb.afterMeasurement) cb.afterMeasurement(i, r.rates[i], 0);
                if (i % CacheResults::kBlockSizes == CacheResults::kBlockSizes - 1) cb.afterGroup(i / CacheResults::kBlockSizes, r);
                step(i);
            }
            return r;
        };
    }
};

// A shown sheet holding the page, initialised as the sheet opens.
template <typename T>
class BenchPageTest : public testing::Test {
protected:
    BenchPageTest()
    {
        sheet->AddPage(page);
        sheet->Prepare();
        sheet->Show();
        wxTheApp->Yield(true);
    }
    ~BenchPageTest() override
    {
        sheet->Cursor().Release();
        sheet->Destroy();
        wxTheApp->Yield(true);
    }

    void Press(int id) { guitest::Press(page->Control(id)); }
    // The bar, the Save button and the rows holding a result, as a measurement starts.
    void Observe(int step)
    {
        const std::vector<CBenchProgressDlg*> shown = ShownProgressDialogs();
        ASSERT_EQ(1u, shown.size());
        log << "  step " << step << ": bar " << shown.front()->Position() << ", save "
            << (page->Control(kSave)->IsEnabled() ? "on" : "off") << ", rows";
        for (long row = 0; row < page->List()->GetItemCount(); ++row)
            if (!page->List()->GetItemText(row, 1).empty()) log << ' ' << row;
        log << '\n';
    }
    void Run(uint32_t scale)
    {
        log << "== run " << scale << '\n';
        T::Fake(context.suites, scale, [this](int step) { Observe(step); });
        wxWindow* button = page->Control(kBenchmark);
        button->SetFocus();
        Press(kBenchmark);
        // Escape acts at once: the focus is back on the button, still a native one that GTK draws focused.
        EXPECT_TRUE(wxWindow::FindFocus() == button && button->GetClassInfo() == wxCLASSINFO(wxButton)) << scale;
    }
    // The page's texts, this machine's summary line named so; then the progress windows on screen, the
    // run cursor and whether the sheet takes input.
    void Texts(const std::string& title)
    {
        platform::Machine machine = bench::FakeContext().machine;  // as the page's was when it filled its summary line
        const std::string summary = FormatSystemSummary(machine);
        std::string texts = ControlTexts(*page);
        for (size_t at; (at = texts.find(summary)) != std::string::npos;) texts.replace(at, summary.size(), "<this machine>");
        log << "== " << title << '\n' << texts << "progress windows " << ShownProgressWindows() << ", cursor "
            << static_cast<int>(sheet->Cursor().Current()) << ", sheet " << (sheet->IsEnabled() ? "on" : "off") << '\n';
    }

    RecordingPrompt prompt;
    // Lets the cache chart open and closes it as a user does, by OK and then by Escape, recording what it
    // shows; any other modal dialog fails the test and is refused.
    std::vector<CacheChartData> charts;
    ModalScript modals{[this](wxDialog* dialog) {
        auto* chart = dynamic_cast<CCacheResultsDlg*>(dialog);
        if (!chart) return ADD_FAILURE() << "unexpected modal dialog \"" << Utf8(dialog->GetTitle()) << '"', wxID_CANCEL;
        charts.push_back(chart->Data());
        EXPECT_EQ("Cache Benchmark Results", chart->GetTitle());
        chart->CallAfter([chart, escape = charts.size() % 2 == 0] {
            // Shown, the button keeps its template size and place: it does not grow over the chart.
            auto* ok = wxDynamicCast(chart->FindWindow(res::IDC_CHART_OK), wxButton);
            EXPECT_TRUE(ok && ok->GetLabel() == "&OK" && ok->GetSize() == chart->ConvertDialogToPixels(wxSize(50, 14)) &&
                        ok->GetPosition() == chart->ConvertDialogToPixels(wxPoint(231, 226)));
            escape ? guitest::PressEscape(*chart) : guitest::Press(ok);
            EXPECT_EQ(wxID_OK, chart->GetReturnCode()) << (escape ? "Escape" : "OK");
            if (chart->IsModal()) chart->EndModal(wxID_ABORT);  // a broken button fails instead of waiting
        });
        return wxID_NONE;
    }};
    bench::Context context = bench::FakeContext();
    CVextSheet* sheet = new CVextSheet("Vext v1.0", prompt, context);
    typename T::Page* page = new typename T::Page;
    std::ostringstream log;
};

using Pages = testing::Types<CpuPage, FpuPage, CachePage>;
TYPED_TEST_SUITE(BenchPageTest, Pages);

}  // namespace

TYPED_TEST(BenchPageTest, TextsThroughFailedLoadsARunASaveALoadAndASecondRun)
{
    TempFolder folder;
    const std::string file = folder.File(std::string("mine.") + TypeParam::kName);
    this->Texts("first shown");
    this->Press(kLoad);  // cancelled
    this->prompt.openAnswer = folder.File("missing");
    this->Press(kLoad);
    this->Texts("after a cancelled and a failed load");
    this->Run(1);
    this->Texts("after the run");
    this->prompt.saveAnswer = file;
    this->Press(kSave);
    this->log << "== saved " << std::filesystem::file_size(file) << " bytes\n";
    this->prompt.openAnswer = file;
    this->Press(kLoad);
    this->Texts("after loading it back");
    this->Run(2);
    this->Texts("after a second run");
    for (const auto* requests : {&this->prompt.openRequests, &this->prompt.saveRequests})
        for (const FileDialogRequest& r : *requests)
            this->log << "== " << (requests == &this->prompt.saveRequests ? "save" : "open") << " dialog: " << r.filter
                      << ", " << r.defaultExtension << ", \"" << r.title << '"' << (r.overwritePrompt ? ", asks before replacing" : "") << '\n';
    for (const auto& [text, icon] : this->prompt.messages) this->log << "== message " << static_cast<int>(icon) << ": " << text << '\n';
    // Cache only: the chart of both runs, a summary line longer than a legend holds cut to 99 characters.
    if (auto* cache = dynamic_cast<CCacheBenchPage*>(this->page)) {
        cache->SetControlText(res::IDC_BENCH_YOUR_SUMMARY, std::string(120, 'Y'));
        for (int i = 0; i < 2; ++i) this->Press(res::IDC_BENCH_COMPARE);
        for (const CacheChartData& c : this->charts)
            this->log << "== chart: " << c.yourLegend << ", " << (c.loadedLegend == cache->ControlText(res::IDC_BENCH_LOADED_SUMMARY) ? "" : "not ")
                      << "the loaded summary, results " << (c.yourResults == cache->YourResults() && c.loadedResults == cache->LoadedResults() ? "" : "not ")
                      << "as on the page\n";
    }
    ExpectGolden(std::string("gui/") + TypeParam::kName + ".txt", this->log.str());
    // A summary longer than its box (as Specials can be) ends in an ellipsis and is whole in the tooltip.
    wxWindow* box = this->page->Control(res::IDC_BENCH_LOADED_SUMMARY);
    for (const std::string& text : {std::string(300, 'L'), std::string("short")}) {
        this->page->SetControlText(res::IDC_BENCH_LOADED_SUMMARY, text);
        EXPECT_TRUE(box->GetLabel() == text && box->GetChildren()[0]->HasFlag(wxST_ELLIPSIZE_END));
        EXPECT_EQ(text.size() > 5 ? text : "", box->GetToolTipText()) << text.size();
    }
}

// Any text is long enough to read as a record; no run writes one, so the page refuses it, says so and
// shows nothing of it.
TYPED_TEST(BenchPageTest, ATextFileIsRefusedAndLeavesThePageAsItWas)
{
    TempFolder folder;
    this->prompt.openAnswer = folder.File(std::string("README.") + TypeParam::kName);
    std::filesystem::copy_file(VEXT_TEST_DATA "/../../README.md", *this->prompt.openAnswer);
    const std::string before = ControlTexts(*this->page);
    this->Press(kLoad);
    EXPECT_EQ(ControlTexts(*this->page), before);
    ASSERT_EQ(this->prompt.messages.size(), 1u);
    EXPECT_EQ(this->prompt.messages[0].first,
              "Error !\n\nThe bench file holds values that no benchmark run can produce, Vext is unable to load it !");
    EXPECT_EQ(this->prompt.messages[0].second, MessageIcon::Stop);
}

using CpuBenchPageTest = BenchPageTest<CpuPage>;
TEST_F(CpuBenchPageTest, KeysAndClicksGivenDuringARunAreDropped)
{
    int closes = 0;  // Escape closes the sheet as its Cancel button does
    sheet->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) { ++closes; }, wxID_CANCEL);
    sheet->Raise();
    const auto escapeAndClickLoad = [this] {
        wxUIActionSimulator sim;
        sim.Char(WXK_ESCAPE);
        sim.MouseMove(page->Control(kLoad)->GetScreenPosition() + page->Control(kLoad)->GetSize() / 2);
        sim.MouseClick();
        wxMilliSleep(50);  // the input reaches the display's queue while the program is still busy
    };
    CpuPage::Fake(context.suites, 1, [&](int k) { return k == 2 ? escapeAndClickLoad() : void(); });
    for (bool busy : {false, true}) {  // acted on while idle; given during a run, never acted on
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
        busy ? Press(kBenchmark) : escapeAndClickLoad();
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true), wxMilliSleep(5);
        EXPECT_EQ(1, closes) << (busy ? "busy" : "idle");
        EXPECT_EQ(1u, prompt.openRequests.size()) << (busy ? "busy" : "idle");
    }
}
