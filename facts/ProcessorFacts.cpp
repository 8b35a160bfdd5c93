#include "facts/ProcessorFacts.h"

#include <memory>

#include "cpu/Processor.h"
#include "facts/MeasuredClock.h"
#include "platform/TextFormat.h"

namespace facts {

using namespace cpu;

std::string FamilyModelSteppingText(const CpuSignature& signature)
{
    if (signature.family == kNotDetermined) return "N/D";
    return platform::TextFormat("%d / %d / %d", signature.family, signature.model, signature.stepping);
}

std::string ExtendedFamilyModelText(const CpuSignature& signature)
{
    if (signature.family == kNotDetermined) return "N/D";
    if (signature.family == 0) return "N/A";
    return platform::TextFormat("%d / %d", signature.family, signature.model);
}

std::string GenerationText(int32_t generation)
{
    if (generation == kNotDetermined) return "N/D";
    if (generation == 0) return "N/A";
    return platform::TextFormat("%d", generation);
}

std::string SerialNumberText(const SerialNumber& serial)
{
    // The middle word alone decides: a processor with its serial number switched off reads 0 there.
    if (serial.middle == 0) return "N/A";
    if (serial.middle == kNotDetermined) return "N/D";
    return platform::TextFormat("%d - %d - %d", serial.signature, serial.middle, serial.low);
}

ProcessorFacts GatherProcessorFacts(const platform::Machine& machine)
{
    ProcessorFacts facts;
    const DetectedVendor vendor = DetectVendor(machine);
    facts.vendor = vendor.label;
    std::unique_ptr<CProcessor> processor = CreateProcessor(machine, vendor.code);
    facts.name = processor->GetName();
    facts.frequency = ClockText(*processor);
    processor->FormatCacheSizes(facts.l1CodeSize, facts.l1DataSize, facts.l2Size);
    facts.type = processor->GetProcessorType();
    facts.brandId = processor->GetBrandName();
    facts.brandString = processor->GetBrandString();

    facts.l1CodeCache = processor->DescribeL1CodeCache();
    facts.l1DataCache = processor->DescribeL1DataCache();
    processor->DescribeInstructionTlb(facts.instructionTlb4Mb, facts.instructionTlb4Kb);
    processor->DescribeDataTlb(facts.dataTlb4Mb, facts.dataTlb4Kb);
    facts.l2Cache = processor->DescribeL2Cache();
    facts.l2Tlb = processor->DescribeL2Tlb();

    facts.standardFeatures = StandardFeatureFlags(machine).flags;
    facts.extendedFeatures = AmdFeatureFlags(machine).flags;

    CpuSignature signature;
    GetFamilyModelStepping(machine, vendor.code, signature);
    facts.familyModelStepping = FamilyModelSteppingText(signature);
    CpuSignature extended;
    processor->GetExtendedFamilyModel(extended);
    facts.extendedFamilyModel = ExtendedFamilyModelText(extended);
    facts.generation = GenerationText(processor->GetGeneration());
    SerialNumber serial;
    processor->GetSerialNumber(serial);
    facts.serialNumber = SerialNumberText(serial);
    return facts;
}

}  // namespace facts
