// The Processor Today page in a sheet with a template page, on recorded processors (a hybrid Intel, an
// AMD virtual machine, a 486): its tables against tests/data/gui, the flag filter, and that its copied
// text and saved file are what vext-cli prints for the same dump.
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dataview.h>
#include <wx/srchctrl.h>

#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>

#include "cpu/RecordedCpuid.h"
#include "pages/About.h"
#include "pages/ProcInfo.h"
#include "pages/ProcessorTodayPage.h"
#include "platform/CpuidDump.h"
#include "tests/gui/GuiSupport.h"

using namespace pages;

using namespace reporttest;

namespace {

std::string TableText(wxDataViewListCtrl& table)
{
    std::string text = guitest::Utf8(table.GetName()) + ":";
    for (unsigned c = 0; c < table.GetColumnCount(); ++c) text += " [" + guitest::Utf8(table.GetColumn(c)->GetTitle()) + "]";
    for (int row = 0; row < table.GetItemCount(); ++row) {
        text += "\n ";
        for (unsigned c = 0; c < table.GetColumnCount(); ++c) text += (c ? " | " : " ") + guitest::Utf8(table.GetTextValue(row, c));
    }
    return text + "\n";
}

std::string CliOutput(const std::string& arguments)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((std::string(VEXT_CLI) + " processor " + arguments).c_str(), "r"), pclose);
    for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) out += static_cast<char>(c);
    return out;
}

// The sheet with the Processor Information page (whose template sets the sheet's size) and, when
// asked, the Processor Today page on the recorded `dump`.
struct TodaySheet {
    TodaySheet(const fs::path& dump, bool withToday)
    {
        context.machine = cpu::WithRecordedCpuid(std::move(context.machine), platform::LoadCpuidDump(dump.string()));
        context.machine.timeGetTime = platform::SteppingClock(0, 1000);
        sheet->AddPage(new CProcInfo);
        sheet->AddPage(withToday ? static_cast<CSheetPage*>(page = new CProcessorTodayPage) : new CAbout);
        sheet->Prepare();
    }
    ~TodaySheet() { sheet->Destroy(); }
    RecordingPrompt prompt;
    bench::Context context = bench::FakeContext();
    app::CVextSheet* sheet = new app::CVextSheet(app::kSheetCaption, prompt, context);
    CProcessorTodayPage* page = nullptr;
};

}  // namespace

// The program's sheet holds the page right after the Cache Benchmark page.
TEST(ProcessorTodayPage, FollowsTheCacheBenchmark)
{
    RecordingPrompt prompt;
    const bench::Context context = bench::FakeContext();
    app::CVextSheet sheet(app::kSheetCaption, prompt, context);
    app::AddSheetPages(sheet);
    size_t cache = 0;
    while (cache < sheet.PageCount() && sheet.Page(cache)->Caption() != "Cache Benchmark") ++cache;
    ASSERT_LT(cache + 1, sheet.PageCount());
    EXPECT_NE(nullptr, dynamic_cast<CProcessorTodayPage*>(sheet.Page(cache + 1)));
}

// Empty until shown, then every fact in place, without growing the sheet the template page sized.
TEST(ProcessorTodayPage, TablesOfRecordedProcessors)
{
    for (const char* name : {"intel-b0671-core-i5-raptor-lake", "amd-b00f21-epyc-vm", "intel-0480-486dx4"}) {
        const fs::path dump = SharedDumps() / (std::string(name) + ".txt");
        const wxSize templateSheet = TodaySheet(dump, false).sheet->GetSize();
        TodaySheet open(dump, true);
        EXPECT_TRUE(open.sheet->GetSize().x <= templateSheet.x && open.sheet->GetSize().y <= templateSheet.y) << name;
        EXPECT_EQ(0, open.page->Facts()->GetItemCount());
        open.sheet->SelectPage(1);
        ::ExpectGolden(std::string("gui/processor-today-") + name + ".txt",
                       TableText(*open.page->Facts()) + TableText(*open.page->Caches()) + TableText(*open.page->Features()));
    }
}

// The filter keeps the flags whose name or description holds the text, in any case; emptied, all return.
TEST(ProcessorTodayPage, FilterCopyAndSave)
{
    const fs::path dump = SharedDumps() / "intel-b0671-core-i5-raptor-lake.txt";
    TodaySheet open(dump, true);
    open.sheet->SelectPage(1);
    const int all = open.page->Features()->GetItemCount();
    std::string filtered;
    for (const char* text : {"RANDOM", "Virtual", "no such flag"}) {
        open.page->Filter()->SetValue(text);
        filtered += std::string("== ") + text + "\n" + TableText(*open.page->Features());
    }
    ::ExpectGolden("gui/processor-today-filter.txt", filtered);
    open.page->Filter()->SetValue("");
    EXPECT_EQ(all, open.page->Features()->GetItemCount());

    guitest::Press(open.page->CopyButton());
    wxTextDataObject copied;
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->GetData(copied);
    wxTheClipboard->Close();
    EXPECT_EQ(CliOutput("--cpuid '" + dump.string() + "'"), guitest::Utf8(copied.GetText()));

    TempDir temp;
    const fs::path saved = temp.Path() / "raptor.json";
    open.prompt.saveAnswer = saved.string();
    guitest::Press(open.page->SaveButton());
    const widgets::FileDialogRequest& request = open.prompt.saveRequests.at(0);
    EXPECT_TRUE(request.overwritePrompt && request.title == "Save Processor JSON" && request.defaultExtension == "json");
    // The run is this machine's in both; all else is the dump's.
    nlohmann::json page = nlohmann::json::parse(ReadBytes(saved)), cli = nlohmann::json::parse(CliOutput("--json --cpuid '" + dump.string() + "'"));
    EXPECT_EQ("2023-11-14T22:13:20Z", page["run"]["utc"]);
    page.erase("run"), cli.erase("run");
    EXPECT_EQ(cli, page);
    open.prompt.saveAnswer = (temp.Path() / "missing" / "raptor.json").string();
    guitest::Press(open.page->SaveButton());
    ASSERT_EQ(1u, open.prompt.messages.size());
    EXPECT_EQ(kProcessorFileError, open.prompt.messages[0].first);
}
