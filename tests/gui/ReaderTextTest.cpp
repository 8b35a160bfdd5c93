// What a screen reader gets from the windows wxWidgets draws itself: the result lists and the About page
// (tests/gui/read_aloud.sh reads the same through the accessibility bus from the running program).

#include "pages/About.h"
#include "pages/BenchList.h"
#include "pages/ProcInfo.h"
#include "tests/gui/GuiSupport.h"
#include "widgets/ReaderText.h"

using namespace app;

using namespace pages;

using guitest::Utf8;

namespace {
// The first `count` lines of what a reader gets as `window`'s description, each ended by a newline.
std::string DescriptionLines(wxWindow* window, int count)
{
    std::istringstream in(Utf8(widgets::ReaderDescription(window)));
    std::string lines, line;
    while (count-- > 0 && std::getline(in, line)) lines += line + '\n';
    return lines;
}
}  // namespace

TEST(ReaderText, ListsAndTheAboutPageCarryWhatTheyShow)
{
    RecordingPrompt prompt;
    const bench::Context context = bench::FakeContext();
    CVextSheet sheet(kSheetCaption, prompt, context);
    AddSheetPages(sheet);
    sheet.Prepare();
    sheet.SelectPage(2);
    wxListCtrl* facts = dynamic_cast<CProcInfo*>(sheet.Page(0))->List();
    EXPECT_EQ("Processor Details", Utf8(widgets::ReaderName(facts)));
    // The rows as the list shows them, a label's own " :" not doubled.
    EXPECT_EQ("Cache Details\nL1 Instruction Cache : " + Utf8(facts->GetItemText(1, 1)) + '\n', DescriptionLines(facts, 2));

    wxListCtrl* cpu = dynamic_cast<CBenchPage*>(sheet.Page(2))->List();
    EXPECT_EQ("CPU Benchmark", Utf8(widgets::ReaderName(cpu)));
    SetBenchCell(cpu, 1, kYourSystemColumn, "12 ms");
    SetBenchCells(cpu, kLoadedSystemColumn, {{1, "13 ms"}, {2, "14 ms"}});
    EXPECT_EQ("Integer Aritmetic Benchmarks\nAddition : Your System 12 ms, Loaded System 13 ms\nSubtraction : Loaded System 14 ms\n",
              DescriptionLines(cpu, 3));
    ClearBenchColumn(cpu, kLoadedSystemColumn);
    EXPECT_EQ("Integer Aritmetic Benchmarks\nAddition : Your System 12 ms\nSubtraction :\n", DescriptionLines(cpu, 3));

    EXPECT_EQ(kAboutTitle, Utf8(widgets::ReaderName(sheet.Page(5))));
    EXPECT_EQ(std::string(kAboutVersion) + '\n' + kAboutAuthor + '\n' + AboutBuildLine(), Utf8(widgets::ReaderDescription(sheet.Page(5))));
}
