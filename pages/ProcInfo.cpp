#include "pages/ProcInfo.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include <array>
#include <iterator>

#include "files/ProcessorFacts.h"
#include "files/ProcessorReport.h"
#include "pages/SheetButtons.h"
#include "res/ControlIds.h"
#include "widgets/DisplayText.h"

wxIMPLEMENT_DYNAMIC_CLASS(CProcInfo, CTemplatePage);

namespace {

// The rows before, between and after the feature lines, which come from the report's tables.
constexpr const char* kCacheRows[] = {
    "Cache Details",
    "   L1 Instruction Cache :",
    "   L1 Data Cache :",
    "",
    "   L1 Instruction TLB (4 Kb pages) :",
    "   L1 Instruction TLB (4 Mb pages) :",
    "",
    "   L1 Data TLB (4 Kb pages) :",
    "   L1 Data TLB (4 Mb pages) :",
    "",
    "   L2 Cache : ",
    "   L2 Unified TLB (AMD) :",
    "",
    "Standard Features (Intel)",
};
constexpr const char* kBetweenRows[] = {"", "Extended Features (AMD)"};
constexpr const char* kOtherRows[] = {
    "",
    "Other Features",
    "   Familiy / Model / Stepping :",
    "   Extended Family / Model (Intel) :",
    "   Generation (AMD) :",
    "   Serial Number (Intel) :",
    "\n",
};

constexpr long kFirstStandardFeatureRow = std::size(kCacheRows);
constexpr long kFirstExtendedFeatureRow = kFirstStandardFeatureRow + std::size(kStandardFeatureLines) + std::size(kBetweenRows);
constexpr long kFirstOtherValueRow = kFirstExtendedFeatureRow + std::size(kExtendedFeatureLines) + 2;

constexpr std::array<const char*, CProcInfo::kRowCount + 1> RowLabels()
{
    std::array<const char*, CProcInfo::kRowCount + 1> rows{};
    size_t i = 0;
    for (const char* row : kCacheRows) rows[i++] = row;
    for (const FeatureLine& line : kStandardFeatureLines) rows[i++] = line.label;
    for (const char* row : kBetweenRows) rows[i++] = row;
    for (const FeatureLine& line : kExtendedFeatureLines) rows[i++] = line.label;
    for (const char* row : kOtherRows) rows[i++] = row;
    return rows;
}
static_assert(std::size(kCacheRows) + std::size(kStandardFeatureLines) + std::size(kBetweenRows) +
                      std::size(kExtendedFeatureLines) + std::size(kOtherRows) ==
                  CProcInfo::kRowCount + 1,
              "53 rows and the end marker");

}  // namespace

// The entry beginning with a line feed ends the table.
const std::array<const char*, CProcInfo::kRowCount + 1> CProcInfo::kRowLabels = RowLabels();

CProcInfo::CProcInfo() : CTemplatePage(res::IDD_PROC_INFO) {}

wxListCtrl* CProcInfo::List() const { return wxDynamicCast(Control(res::IDC_PROC_LIST), wxListCtrl); }

void CProcInfo::SetRowValue(long row, const std::string& value) { List()->SetItem(row, 1, DisplayText(value)); }

void CProcInfo::SetBoxText(int id, const std::string& value)
{
    if (wxWindow* box = Control(id)) box->SetLabel(DisplayText(value));
}

bool CProcInfo::OnInitDialog()
{
    CTemplatePage::OnInitDialog();
    if (CSheetButtons* sheet = Sheet()) sheet->CancelToClose();
    if (wxWindow* button = Control(res::IDC_PROC_REPORT)) button->Bind(wxEVT_BUTTON, &CProcInfo::OnReport, this);

    const ProcessorFacts facts = GatherProcessorFacts();
    SetBoxText(res::IDC_PROC_VENDOR, facts.vendor);
    SetBoxText(res::IDC_PROC_FREQUENCY, facts.frequency);
    SetBoxText(res::IDC_PROC_NAME, facts.name);
    SetBoxText(res::IDC_PROC_L1_CODE_SIZE, facts.l1CodeSize);
    SetBoxText(res::IDC_PROC_L1_DATA_SIZE, facts.l1DataSize);
    SetBoxText(res::IDC_PROC_L2_SIZE, facts.l2Size);
    SetBoxText(res::IDC_PROC_TYPE, facts.type);
    SetBoxText(res::IDC_PROC_BRAND_ID, facts.brandId);
    SetBoxText(res::IDC_PROC_BRAND_STRING, facts.brandString);

    wxListCtrl* list = List();
    list->InsertColumn(0, "Processor Details", wxLIST_FORMAT_LEFT, 195);
    list->InsertColumn(1, "", wxLIST_FORMAT_LEFT, 285);
    for (long row = 0; kRowLabels[row][0] != '\n'; ++row) list->InsertItem(row, wxString::FromUTF8(kRowLabels[row]));

    SetRowValue(1, facts.l1CodeCache);
    SetRowValue(2, facts.l1DataCache);
    SetRowValue(4, facts.instructionTlb4Kb);
    SetRowValue(5, facts.instructionTlb4Mb);
    SetRowValue(7, facts.dataTlb4Kb);
    SetRowValue(8, facts.dataTlb4Mb);
    SetRowValue(10, facts.l2Cache);
    SetRowValue(11, facts.l2Tlb);

    long row = kFirstStandardFeatureRow;
    for (const FeatureLine& line : kStandardFeatureLines) SetRowValue(row++, StandardFeatureValue(facts.standardFeatures, line.bit));
    row = kFirstExtendedFeatureRow;
    for (const FeatureLine& line : kExtendedFeatureLines) SetRowValue(row++, ExtendedFeatureValue(facts.extendedFeatures, line.bit));

    row = kFirstOtherValueRow;
    for (const std::string* value : {&facts.familyModelStepping, &facts.extendedFamilyModel, &facts.generation, &facts.serialNumber})
        SetRowValue(row++, *value);
    return true;
}

void CProcInfo::OnReport(wxCommandEvent&)
{
    CProcessorReport report;
    report.CreateReport();
}
