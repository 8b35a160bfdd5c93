// The Processor Information page on recorded processors and the Windows Information page on a faked
// system, with clocks that make the clock measurement instant; their texts are compared with tests/data/gui.
#include <utility>

#include "cpu/RecordedCpuid.h"
#include "pages/About.h"
#include "pages/ProcInfo.h"
#include "pages/SystemInfo.h"
#include "platform/CpuidDump.h"
#include "tests/gui/GuiSupport.h"

using namespace app;

using namespace pages;

using namespace widgets;

using namespace cpu;

using namespace reporttest;

namespace {

// A recorded processor whose time-stamp counter runs at `mhz`, with a millisecond timer that jumps a
// second per reading, on the fifth of April 2001.
bench::Context Recorded(const fs::path& dump, uint64_t mhz)
{
    bench::Context context = bench::FakeContext();
    context.machine = cpu::WithRecordedCpuid(std::move(context.machine), platform::LoadCpuidDump(dump.string()));
    context.machine.readTsc = platform::SteppingTsc(0, mhz * 1000000);
    context.machine.timeGetTime = platform::SteppingClock(0, 1000);
    context.machine.calendarTime = [] { return kFifthOfApril2001; };
    return context;
}

// A sheet opened as the program opens it (without the modal loop) on `context`, holding `pages`; the
// first is initialised.
struct OpenSheet {
    explicit OpenSheet(std::initializer_list<CTemplatePage*> pages, bench::Context machine = bench::FakeContext())
        : context(std::move(machine))
    {
        for (CTemplatePage* page : pages) sheet->AddPage(page);
        sheet->Prepare();
    }
    ~OpenSheet() { sheet->Destroy(); }
    RecordingPrompt prompt;
    bench::Context context;
    CVextSheet* sheet = new CVextSheet(kSheetCaption, prompt, context);
};

}  // namespace

// Two recorded processors, and a brand string that is not UTF-8 shown as Latin-1.
TEST(ProcInfoPage, TextsOfRecordedProcessorsAndOnlyACloseButton)
{
    const std::pair<fs::path, uint64_t> machines[] = {{SharedDumps() / "intel-0673-pentium-iii-katmai.txt", 498},
                                                      {SharedDumps() / "amd-0644-athlon-thunderbird.txt", 1333},
                                                      {fs::path(VEXT_TEST_DATA) / "gui/latin1-brand-cpuid.txt", 500}};
    for (const auto& [dump, mhz] : machines) {
        auto* page = new CProcInfo;
        OpenSheet open({page}, Recorded(dump, mhz));
        const std::string buttons = "OK \"" + guitest::Utf8(open.sheet->FindWindow(wxID_OK)->GetLabel()) + "\", Cancel " +
                                    (open.sheet->FindWindow(wxID_CANCEL)->IsEnabled() ? "on\n" : "off\n");
        ::ExpectGolden("gui/procinfo-" + dump.filename().string(), guitest::ControlTexts(*page) + buttons);
    }
}

TEST(ProcInfoPage, ReportButtonWritesTheReportAndLeavesThePageAlone)
{
    auto* page = new CProcInfo;
    OpenSheet open({page}, Recorded(SharedDumps() / "cyrix-0600-6x86mx-mii.txt", 233));
    const std::string before = guitest::ControlTexts(*page);
    TempDir temp;
    RecordingPrompt& prompt = open.prompt;
    const std::optional<std::string> answers[] = {std::nullopt, (temp.Path() / "cyrix.txt").string(),
                                                  (temp.Path() / "missing" / "cyrix.txt").string()};
    for (const auto& answer : answers) {
        prompt.saveAnswer = answer;
        guitest::Press(page->Control(res::IDC_PROC_REPORT));
    }
    const FileDialogRequest& request = prompt.saveRequests.at(0);
    EXPECT_EQ(request.filter + request.defaultExtension, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||txt");
    EXPECT_TRUE(request.overwritePrompt && !request.fileMustExist && request.title == "Save Processor Report");
    EXPECT_EQ(ReadBytes(temp.Path() / "cyrix.txt"), ReadBytes(ExpectedReports() / "cyrix-0600-6x86mx-mii.txt"));
    EXPECT_EQ(1, std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()));
    ASSERT_EQ(1u, prompt.messages.size());
    EXPECT_EQ("Error !\n\nVext is unable to create the report file !", prompt.messages[0].first);
    EXPECT_EQ(before, guitest::ControlTexts(*page));
}

TEST(SystemInfoPage, FillsItsBoxesOnFirstSelectionOnly)
{
    using namespace platform;
    uint32_t tick = 90061000u;
    int cleanBoot = 2, debug = 0;
    bench::Context context = bench::FakeContext();
    context.machine.memoryStatus = [] { return MemoryStatus{133677056, 131072, 6ull << 30, 0}; };
    context.machine.osVersion = [] {
        OsVersionInfo v;
        v.platformId = kPlatformWindows, v.majorVersion = 4, v.minorVersion = 0;
        v.buildNumber = 0x040003B6;  // 950 in the low word
        v.csdVersion = "B";
        return v;
    };
    context.machine.systemMetrics = [&](int index) { return index == SM_CLEANBOOT ? cleanBoot : debug; };
    context.machine.tickCount = [&] { return tick; };
    auto* page = new CSystemInfo;
    OpenSheet open({new CAbout, page}, std::move(context));
    std::string texts = "== before selection\n" + guitest::ControlTexts(*page);
    open.sheet->SelectPage(1);
    texts += "== selected\n" + guitest::ControlTexts(*page);
    // Time passes and the system changes; the page keeps what it showed.
    tick += 3600000, cleanBoot = 0, debug = 1;
    open.sheet->SelectPage(0);
    open.sheet->SelectPage(1);
    texts += "== selected again\n" + guitest::ControlTexts(*page);
    ::ExpectGolden("gui/windows-information.txt", texts);
}
