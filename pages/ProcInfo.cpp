#include "pages/ProcInfo.h"

#include <wx/button.h>
#include <wx/listctrl.h>

#include <iterator>
#include <memory>

#include "app/VextSheet.h"
#include "cpu/Processor.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"

wxIMPLEMENT_DYNAMIC_CLASS(CProcInfo, CTemplatePage);

namespace {

constexpr int kIdVendor = 1000;
constexpr int kIdName = 1002;
constexpr int kIdFrequency = 1003;
constexpr int kIdL1DataSize = 1005;
constexpr int kIdL1CodeSize = 1006;
constexpr int kIdL2Size = 1007;
constexpr int kIdType = 1008;
constexpr int kIdBrandString = 1009;
constexpr int kIdList = 1011;
constexpr int kIdBrandId = 1012;
constexpr int kIdReport = 1014;

// Rows that the filling below writes to; the rest are headings and spacers.
constexpr long kFirstStandardFeatureRow = 14;
constexpr long kFirstExtendedFeatureRow = 44;

// The processor's texts are 8-bit; a brand string is whatever bytes the processor holds, which need not
// be UTF-8. Those are shown as Latin-1 rather than as nothing.
wxString ProcessorText(const std::string& text)
{
    wxString converted = wxString::FromUTF8(text);
    if (converted.empty() && !text.empty()) converted = wxString(text.c_str(), wxConvISO8859_1);
    return converted;
}

}  // namespace

// The row texts; the entry beginning with a line feed ends the table.
const char* const CProcInfo::kRowLabels[] = {
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
    "   FPU on-chip :",
    "   Virtual Mode Extension :",
    "   Debugging Extension :",
    "   Page Size Extension :",
    "   Time Stamp Counter  :",
    "   Model Specific Registers :",
    "   Physical Address Extension :",
    "   Machine Check Exception :",
    "   CMPXCHG8 Instruction : ",
    "   On-chip APIC hardware :",
    "   Fast System Call :",
    "   Memory Type Registers :",
    "   Global Paging Extension :",
    "   Machine Check Architecture :",
    "   CMOV Instruction :",
    "   Page Attribute Table :",
    "   36-bit Page Size Extension :",
    "   Processor serial number :",
    "   CLFLUSH Instruction :",
    "   Debug Trace Store :",
    "   ACPI Power Management :",
    "   Intel MMX Extension :",
    "   Fast Floating Point save/restore :",
    "   Streaming SIMD Extension :",
    "   Streaming SIMD Extension 2 :",
    "   Self-Snoop  :",
    "   Thermal Monitor :",
    "   IA-64 Extension :",
    "",
    "Extended Features (AMD)",
    "   AMD MMX Extension : ",
    "   AMD 3DNow! Instructions :",
    "   AMD 3DNow! Extended Instructions :",
    "",
    "Other Features",
    "   Familiy / Model / Stepping :",
    "   Extended Family / Model (Intel) :",
    "   Generation (AMD) :",
    "   Serial Number (Intel) :",
    "\n",
};

static_assert(std::size(CProcInfo::kRowLabels) == CProcInfo::kRowCount + 1, "53 rows and the end marker");

CProcInfo::CProcInfo() : CTemplatePage(res::IDD_PROC_INFO) {}

wxListCtrl* CProcInfo::List() const { return wxDynamicCast(Control(kIdList), wxListCtrl); }

void CProcInfo::SetRowValue(long row, const std::string& value) { List()->SetItem(row, 1, ProcessorText(value)); }

void CProcInfo::SetBoxText(int id, const std::string& value)
{
    if (wxWindow* box = Control(id)) box->SetLabel(ProcessorText(value));
}

bool CProcInfo::OnInitDialog()
{
    CTemplatePage::OnInitDialog();
    if (CVextSheet* sheet = Sheet()) sheet->CancelToClose();
    if (wxWindow* button = Control(kIdReport)) button->Bind(wxEVT_BUTTON, &CProcInfo::OnReport, this);

    // DetectVendor sets the vendor code that CreateProcessor reads.
    SetBoxText(kIdVendor, DetectVendor());
    std::unique_ptr<CProcessor> processor = CreateProcessor();

    SetBoxText(kIdFrequency, ClockText(*processor));
    SetBoxText(kIdName, processor->GetName());

    std::string l1Code, l1Data, l2;
    processor->FormatCacheSizes(l1Code, l1Data, l2);
    SetBoxText(kIdL1CodeSize, l1Code);
    SetBoxText(kIdL1DataSize, l1Data);
    SetBoxText(kIdL2Size, l2);

    SetBoxText(kIdType, processor->GetProcessorType());
    SetBoxText(kIdBrandId, processor->GetBrandName());
    SetBoxText(kIdBrandString, processor->GetBrandString());

    wxListCtrl* list = List();
    list->InsertColumn(0, "Processor Details", wxLIST_FORMAT_LEFT, 195);
    list->InsertColumn(1, "", wxLIST_FORMAT_LEFT, 285);
    for (long row = 0; kRowLabels[row][0] != '\n'; ++row) list->InsertItem(row, wxString::FromUTF8(kRowLabels[row]));

    SetRowValue(1, processor->DescribeL1CodeCache());
    SetRowValue(2, processor->DescribeL1DataCache());
    std::string pages4Mb, pages4Kb;
    processor->DescribeInstructionTlb(pages4Mb, pages4Kb);
    SetRowValue(4, pages4Kb);
    SetRowValue(5, pages4Mb);
    processor->DescribeDataTlb(pages4Mb, pages4Kb);
    SetRowValue(7, pages4Kb);
    SetRowValue(8, pages4Mb);
    SetRowValue(10, processor->DescribeL2Cache());
    SetRowValue(11, processor->DescribeL2Tlb());

    uint32_t standard = StandardFeatureFlags().flags;
    long row = kFirstStandardFeatureRow;
    for (const FeatureLine& line : StandardFeatureLines()) SetRowValue(row++, StandardFeatureValue(standard, line.bit));
    uint32_t extended = AmdFeatureFlags().flags;
    row = kFirstExtendedFeatureRow;
    for (const FeatureLine& line : ExtendedFeatureLines()) SetRowValue(row++, ExtendedFeatureValue(extended, line.bit));

    CpuSignature signature;
    GetFamilyModelStepping(signature);
    SetRowValue(49, FamilyModelSteppingText(signature));
    CpuSignature extendedSignature;
    processor->GetExtendedFamilyModel(extendedSignature);
    SetRowValue(50, ExtendedFamilyModelText(extendedSignature));
    SetRowValue(51, GenerationText(processor->GetGeneration()));
    SerialNumber serial;
    processor->GetSerialNumber(serial);
    SetRowValue(52, SerialNumberText(serial));
    return true;
}

void CProcInfo::OnReport(wxCommandEvent&)
{
    CProcessorReport report;
    report.CreateReport();
}
