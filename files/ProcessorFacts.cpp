#include "files/ProcessorFacts.h"

#include <memory>

#include "cpu/Processor.h"
#include "files/MeasuredClock.h"
#include "files/ProcessorReport.h"

ProcessorFacts GatherProcessorFacts()
{
    ProcessorFacts facts;
    // DetectVendor sets the vendor code that CreateProcessor reads.
    facts.vendor = DetectVendor();
    std::unique_ptr<CProcessor> processor = CreateProcessor();
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

    facts.standardFeatures = StandardFeatureFlags().flags;
    facts.extendedFeatures = AmdFeatureFlags().flags;

    CpuSignature signature;
    GetFamilyModelStepping(signature);
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
