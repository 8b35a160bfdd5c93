#include "files/ProcessorRows.h"

#include "files/FeatureLines.h"
#include "res/ControlIds.h"

namespace {

bool BitSet(uint32_t flags, int bit) { return (flags >> bit) & 1u; }

class RowList {
public:
    // A fact the page shows in a box and the report on a line of its own.
    void Boxed(const char* reportText, int boxId, const std::string& value)
    {
        rows_.push_back({reportText, nullptr, boxId, true, value});
    }
    void Listed(const char* reportText, const char* listLabel, const std::string& value)
    {
        rows_.push_back({reportText, listLabel, 0, true, value});
    }
    void Title(const char* reportText, const char* listLabel) { rows_.push_back({reportText, listLabel, 0, false, {}}); }
    // An empty row of the page's list; the report makes its gaps with line ends instead.
    void Spacer() { rows_.push_back({"", "", 0, false, {}}); }
    void Features(const FeatureLine* begin, const FeatureLine* end, uint32_t flags,
                  std::string (*value)(uint32_t, int))
    {
        for (const FeatureLine* line = begin; line != end; ++line) {
            std::string text = "\n   " + std::string(line->label) + std::string(static_cast<size_t>(line->blanks), ' ');
            rows_.push_back({text, line->label, 0, true, value(flags, line->bit)});
        }
    }
    std::vector<ProcessorRow> Take() { return std::move(rows_); }

private:
    std::vector<ProcessorRow> rows_;
};

}  // namespace

std::string StandardFeatureValue(uint32_t flags, int bit)
{
    if (bit == 0) return BitSet(flags, bit) ? "Yes" : "No";
    return BitSet(flags, bit) ? "Supported" : "Unsupported";
}

std::string ExtendedFeatureValue(uint32_t flags, int bit) { return BitSet(flags, bit) ? "Supported" : "Unsupported"; }

std::vector<ProcessorRow> ProcessorRows(const ProcessorFacts& facts)
{
    RowList rows;
    rows.Boxed("\n Vendor Name     : ", res::IDC_PROC_VENDOR, facts.vendor);
    rows.Boxed("\n Processor       : ", res::IDC_PROC_NAME, facts.name);
    rows.Boxed("\n Frequency       : ", res::IDC_PROC_FREQUENCY, facts.frequency);
    rows.Boxed("\n\n L1 Instruction Cache   : ", res::IDC_PROC_L1_CODE_SIZE, facts.l1CodeSize);
    rows.Boxed("\n L1 Data Cache          : ", res::IDC_PROC_L1_DATA_SIZE, facts.l1DataSize);
    rows.Boxed("\n L2 Cache               : ", res::IDC_PROC_L2_SIZE, facts.l2Size);
    rows.Boxed("\n\n Processor Type       : ", res::IDC_PROC_TYPE, facts.type);
    rows.Boxed("\n Brand ID             : ", res::IDC_PROC_BRAND_ID, facts.brandId);
    rows.Boxed("\n Brand String         : ", res::IDC_PROC_BRAND_STRING, facts.brandString);

    rows.Title("\n\n\n Cache Details", "Cache Details");
    rows.Listed("\n   L1 Instruction Cache   : ", "   L1 Instruction Cache :", facts.l1CodeCache);
    rows.Listed("\n   L1 Data Cache          : ", "   L1 Data Cache :", facts.l1DataCache);
    rows.Spacer();
    rows.Listed("\n\n   L1 Instruction TLB (4 Kb pages) : ", "   L1 Instruction TLB (4 Kb pages) :", facts.instructionTlb4Kb);
    rows.Listed("\n   L1 Instruction TLB (4 Mb pages) : ", "   L1 Instruction TLB (4 Mb pages) :", facts.instructionTlb4Mb);
    rows.Spacer();
    rows.Listed("\n\n   L1 Data TLB (4 Kb pages)   : ", "   L1 Data TLB (4 Kb pages) :", facts.dataTlb4Kb);
    rows.Listed("\n   L1 Data TLB (4 Mb pages)   : ", "   L1 Data TLB (4 Mb pages) :", facts.dataTlb4Mb);
    rows.Spacer();
    // The page's label keeps its trailing blank.
    rows.Listed("\n\n   L2 Cache                   : ", "   L2 Cache : ", facts.l2Cache);
    rows.Listed("\n   L2 Unified TLB (AMD)       : ", "   L2 Unified TLB (AMD) :", facts.l2Tlb);
    rows.Spacer();

    rows.Title("\n\n\n Standard Features (Intel)", "Standard Features (Intel)");
    rows.Features(std::begin(kStandardFeatureLines), std::end(kStandardFeatureLines), facts.standardFeatures,
                  StandardFeatureValue);
    rows.Spacer();
    rows.Title("\n\n\n Extended Features (AMD)", "Extended Features (AMD)");
    rows.Features(std::begin(kExtendedFeatureLines), std::end(kExtendedFeatureLines), facts.extendedFeatures,
                  ExtendedFeatureValue);
    rows.Spacer();

    rows.Title("\n\n\n Other Features", "Other Features");
    // "Familiy" is the program's own spelling, kept in the page and the report alike.
    rows.Listed("\n      Familiy / Model / Stepping       : ", "   Familiy / Model / Stepping :", facts.familyModelStepping);
    rows.Listed("\n      Extended Family / Model (Intel)  : ", "   Extended Family / Model (Intel) :", facts.extendedFamilyModel);
    rows.Listed("\n      Generation (AMD)                 : ", "   Generation (AMD) :", facts.generation);
    rows.Listed("\n      Serial Number (Intel)            : ", "   Serial Number (Intel) :", facts.serialNumber);
    return rows.Take();
}
