#include "pages/BenchPage.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include "cpu/SystemSummary.h"
#include "pages/BenchList.h"

namespace pages {

using namespace widgets;

using namespace files;

using namespace bench;

using namespace cpu;

wxIMPLEMENT_ABSTRACT_CLASS(CBenchPage, CTemplatePage);

CBenchPage::CBenchPage(int templateId, ListRows listRows) : CTemplatePage(templateId), listRows_(listRows)
{
    // The handlers are virtual: each button reaches the page's own. A run starts from an empty "Your
    // System" column, so no value of the previous run stands beside the new ones.
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
        ClearBenchColumn(List(), kYourSystemColumn);
        OnBenchmark(event);
        unsavedRun_ = true;
    }, kBenchmarkId);
    Bind(wxEVT_BUTTON, &CBenchPage::OnLoadResults, this, kLoadId);
    Bind(wxEVT_BUTTON, &CBenchPage::OnSaveResults, this, kSaveId);
}

wxListCtrl* CBenchPage::List() const { return wxDynamicCast(Control(kListId), wxListCtrl); }

bool CBenchPage::OnInitDialog()
{
    // Measures the clock: about a second.
    SetControlText(kYourSummaryId, FormatSystemSummary(Context().machine));
    SetUpBenchList(List(), listRows_, Caption());
    return true;
}

void CBenchPage::ShowLoadedSummary(const std::string& summary)
{
    SetControlText(kLoadedSummaryId, summary);
}

OnBenchFailure CBenchPage::RunFailureBox() const
{
    return [&prompt = Prompt()](BenchFailure failure) { prompt.ShowMessage(BenchFailureMessage(failure), MessageIcon::None); };
}

void CBenchPage::ShowLoadedCells(const std::vector<ResultCell>& cells) { SetBenchCells(List(), kLoadedSystemColumn, cells); }

void CBenchPage::SaveRecord(const ResultFileKind& kind, std::span<const uint8_t> record)
{
    if (SaveResultsAs(Prompt(), kind, record)) RunSaved();
}

}  // namespace pages
