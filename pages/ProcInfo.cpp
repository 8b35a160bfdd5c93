#include "pages/ProcInfo.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include <optional>
#include <string>

#include "facts/ProcessorFacts.h"
#include "files/ProcessorReport.h"
#include "facts/ProcessorRows.h"
#include "pages/SheetButtons.h"
#include "res/ControlIds.h"
#include "widgets/DisplayText.h"
#include "widgets/ReaderText.h"

namespace pages {

using namespace widgets;

using namespace files;

using namespace bench;

using namespace facts;

wxIMPLEMENT_DYNAMIC_CLASS(CProcInfo, CTemplatePage);

namespace {

// The box of the page's template that shows a boxed fact.
int BoxControl(BoxedFact fact)
{
    switch (fact) {
    case BoxedFact::None: break;
    case BoxedFact::Vendor: return res::IDC_PROC_VENDOR;
    case BoxedFact::Name: return res::IDC_PROC_NAME;
    case BoxedFact::Frequency: return res::IDC_PROC_FREQUENCY;
    case BoxedFact::L1CodeSize: return res::IDC_PROC_L1_CODE_SIZE;
    case BoxedFact::L1DataSize: return res::IDC_PROC_L1_DATA_SIZE;
    case BoxedFact::L2Size: return res::IDC_PROC_L2_SIZE;
    case BoxedFact::Type: return res::IDC_PROC_TYPE;
    case BoxedFact::BrandId: return res::IDC_PROC_BRAND_ID;
    case BoxedFact::BrandString: return res::IDC_PROC_BRAND_STRING;
    }
    return 0;
}

}  // namespace

CProcInfo::CProcInfo() : CTemplatePage(res::IDD_PROC_INFO) {}

wxListCtrl* CProcInfo::List() const { return wxDynamicCast(Control(res::IDC_PROC_LIST), wxListCtrl); }

void CProcInfo::SetRowValue(long row, const std::string& value) { List()->SetItem(row, 1, DisplayText(value)); }

bool CProcInfo::OnInitDialog()
{
    CTemplatePage::OnInitDialog();
    if (CSheetButtons* sheet = Sheet()) sheet->CancelToClose();
    if (wxWindow* button = Control(res::IDC_PROC_REPORT)) button->Bind(wxEVT_BUTTON, &CProcInfo::OnReport, this);

    wxListCtrl* list = List();
    list->InsertColumn(0, "Processor Details", wxLIST_FORMAT_LEFT, 195);
    list->InsertColumn(1, "", wxLIST_FORMAT_LEFT, 285);
    long row = 0;
    for (const ProcessorRow& fact : ProcessorRows(GatherProcessorFacts(Context().machine))) {
        if (fact.box != BoxedFact::None) SetControlText(BoxControl(fact.box), fact.value);
        if (fact.listLabel == nullptr) continue;
        list->InsertItem(row, wxString::FromUTF8(fact.listLabel));
        if (fact.hasValue) SetRowValue(row, fact.value);
        ++row;
    }
    NameListForReaders(list, "Processor Details");
    return true;
}

// Cancelling writes nothing and shows nothing; a file that cannot be written gets the stop message.
void CProcInfo::OnReport(wxCommandEvent&)
{
    const std::optional<std::string> path = Prompt().AskSavePath(FileDialogRequest::SaveAs(kReportFilter, "txt", "Save Processor Report"));
    if (path && CProcessorReport(Context().machine).SaveReport(*path).status != FileWriteStatus::Ok)
        Prompt().ShowMessage(kReportFileError, MessageIcon::Stop);
}

}  // namespace pages
