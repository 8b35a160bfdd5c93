#pragma once
// The processor's details as rows, in the order the Processor Information page lists them and the
// report writes them. The page, the report and vext-cli's JSON all render this one list, so a fact is
// labelled and placed in one place only.
#include <cstdint>
#include <string>
#include <vector>

#include "facts/ProcessorFacts.h"

namespace facts {

// The facts the page shows in boxes of their own, not in its list.
enum class BoxedFact { None, Vendor, Name, Frequency, L1CodeSize, L1DataSize, L2Size, Type, BrandId, BrandString };

struct ProcessorRow {
    // What the report writes before the value: its line ends, label, blanks and colon. Empty when the
    // report has no line for the row (the page's spacer rows).
    std::string reportText;
    // The row's label in the page's list; null when the page shows the fact in a box of its own.
    const char* listLabel = nullptr;
    // Which boxed fact the row is, or None.
    BoxedFact box = BoxedFact::None;
    // The fact; titles and spacers have none.
    bool hasValue = false;
    std::string value;
};

// Every row, the nine boxed facts first. The list rows (those with a list label) are always the same
// 53, whatever the processor.
std::vector<ProcessorRow> ProcessorRows(const ProcessorFacts& facts);

// "Supported" or "Unsupported"; the FPU line (bit 0 of the standard word) says "Yes" or "No".
std::string StandardFeatureValue(uint32_t flags, int bit);
std::string ExtendedFeatureValue(uint32_t flags, int bit);

}  // namespace facts
