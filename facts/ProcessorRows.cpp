#include "facts/ProcessorRows.h"

#include "facts/FeatureLines.h"

namespace facts {

namespace {

bool BitSet(uint32_t flags, int bit) { return (flags >> bit) & 1u; }

class RowList {
public:
    // A fact the page shows in a box and the report on a line of its own.
    void Boxed(const char* reportText, BoxedFact box, const std::string& value)
    {
        rows_.push_back({reportText, nullptr, box, true, value});
    }
    void Listed(const char* reportText, const char* listLabel, const std::string& value)
    {
        rows_.push_back({reportText, listLabel, BoxedFact::None, true, value});
    }
    void Title(const char* reportText, const char* listLabel) { rows_.push_back({reportText, listLabel, BoxedFact::None, false, {}}); }
    // An empty row of the page's list; the report makes its gaps with line ends instead.
    void Spacer() { rows_.push_back({"", "", BoxedFact::None, false, {}}); }
    void Features(const FeatureLine* begin, const FeatureLine* end, uint32_t flags,
                  std::string (*value)(uint32_t, int))
    {
        for (const FeatureLine* line = begin; line != end; ++line) {
            std::string text = "\n   " + std::string(line->label) + std::string(static_cast<size_t>(line->blanks), ' ');
            rows_.push_back({text, line->label, BoxedFact::None, true, value(flags, line->bit)});
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
    rows.Boxed("\n Vendor Name     : ", BoxedFact::Vendor, facts.vendor);
    rows.Boxed("\n Processor       : ", BoxedFact::Name, facts.name);
    rows.Boxed("\n Frequency       : ", BoxedFact::Frequency, facts.frequency);
    rows.Boxed("\n\n L1 Instruction Cache   : ", BoxedFact::L1CodeSize, facts.l1CodeSize);
    rows.Boxed("\n L1 Data Cache          : ", BoxedFact::L1DataSize, facts.l1DataSize);
    rows.Boxed("\n L2 Cache               : ", BoxedFact::L2Size, facts.l2Size);
    rows.Boxed("\n\n Processor Type       : ", BoxedFact::Type, facts.type);
    rows.Boxed("\n Brand ID             : ", BoxedFact::BrandId, facts.brandId);
    rows.Boxed("\n Brand String         : ", BoxedFact::BrandString, facts.brandString);

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

}  // namespace facts
