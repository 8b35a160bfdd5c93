#pragma once
// What the Processor Information page and the processor report show, as texts. Both render the same
// gathering, so the two can never tell different facts.
#include <cstdint>
#include <string>

#include "platform/Machine.h"

namespace cpu {
struct CpuSignature;
}
namespace cpu {
struct SerialNumber;
}

namespace facts {

struct ProcessorFacts {
    std::string vendor;       // "Intel   (GenuineIntel)"
    std::string name;
    std::string frequency;    // "500 MHz", or "503 MHz (oc)"
    std::string l1CodeSize, l1DataSize, l2Size;
    std::string type, brandId, brandString;

    std::string l1CodeCache, l1DataCache;
    std::string instructionTlb4Kb, instructionTlb4Mb;
    std::string dataTlb4Kb, dataTlb4Mb;
    std::string l2Cache, l2Tlb;

    uint32_t standardFeatures = 0;  // CPUID 1 EDX
    uint32_t extendedFeatures = 0;  // CPUID 0x80000001 EDX

    std::string familyModelStepping, extendedFamilyModel, generation, serialNumber;
};

// Identifies the processor and measures its clock (about one second). Nothing is kept from one call
// to the next: every page fill and every report asks the processor again.
ProcessorFacts GatherProcessorFacts(const platform::Machine& machine);

// The Other Features values, from what the processor record gives: "N/D" when the fact cannot be
// determined on this processor, "N/A" when it does not apply to it.
std::string FamilyModelSteppingText(const cpu::CpuSignature& signature);     // "6 / 7 / 3"
std::string ExtendedFamilyModelText(const cpu::CpuSignature& signature);     // "15 / 0", extended fields
std::string GenerationText(int32_t generation);                         // "6"
std::string SerialNumberText(const cpu::SerialNumber& serial);               // "1651 - 53315 - -1896772882"

}  // namespace facts
