// What a screen reader gets from the windows wxWidgets draws itself: the result lists and the About page
// (tests/gui/read_aloud.sh reads the same through the accessibility bus from the running program).

#include "pages/About.h"
#include "pages/BenchList.h"
#include "pages/ProcInfo.h"
#include "tests/gui/GuiSupport.h"
#include "widgets/ReaderText.h"

using namespace pages;

using guitest::Utf8;

TEST(ReaderText, ListsAndTheAboutPageCarryWhatTheyShow)
{
    RecordingPrompt prompt;
    const bench::Context context = bench::FakeContext();
    app::CVextSheet sheet(app::kSheetCaption, prompt, context);
    app::AddSheetPages(sheet);
    sheet.Prepare();
    sheet.SelectPage(2);
    wxListCtrl* facts = dynamic_cast<CProcInfo*>(sheet.Page(0))->List();
    EXPECT_EQ("Processor Details", Utf8(widgets::ReaderName(facts)));
    const std::string factRows = Utf8(widgets::ReaderDescription(facts));  // the label's " :" not doubled
    EXPECT_TRUE(factRows.starts_with("Cache Details\nL1 Instruction Cache : " + Utf8(facts->GetItemText(1, 1)) + '\n')) << factRows;

    wxListCtrl* cpu = dynamic_cast<CBenchPage*>(sheet.Page(2))->List();
    EXPECT_EQ("CPU Benchmark", Utf8(widgets::ReaderName(cpu)));
    SetBenchCell(cpu, 1, kYourSystemColumn, "12 ms");
    SetBenchCells(cpu, kLoadedSystemColumn, {{1, "13 ms"}, {2, "14 ms"}});
    EXPECT_TRUE(Utf8(widgets::ReaderDescription(cpu)).starts_with("Integer Aritmetic Benchmarks\nAddition : Your System 12 ms, Loaded System 13 ms\nSubtraction : Loaded System 14 ms\n"));
    ClearBenchColumn(cpu, kLoadedSystemColumn);
    EXPECT_TRUE(Utf8(widgets::ReaderDescription(cpu)).starts_with("Integer Aritmetic Benchmarks\nAddition : Your System 12 ms\nSubtraction :\n"));

    EXPECT_EQ(kAboutTitle, Utf8(widgets::ReaderName(sheet.Page(sheet.PageCount() - 1))));
    EXPECT_EQ(std::string(kAboutVersion) + '\n' + kAboutAuthor + '\n' + AboutBuildLine(), Utf8(widgets::ReaderDescription(sheet.Page(sheet.PageCount() - 1))));
}
