#include "files/ProcessorReport.h"

#include <memory>
#include <optional>
#include <string>

#include "cpu/Processor.h"
#include "files/MeasuredClock.h"
#include "platform/Clocks.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace {

// The labels are the page's list labels; the blanks bring the values to column 36, except the long
// Fast Floating Point label, whose value stands at column 43.
constexpr FeatureLine kStandardFeatures[] = {
    {0, "   FPU on-chip :", 16},
    {1, "   Virtual Mode Extension :", 5},
    {2, "   Debugging Extension :", 8},
    {3, "   Page Size Extension :", 8},
    {4, "   Time Stamp Counter  :", 8},
    {5, "   Model Specific Registers :", 3},
    {6, "   Physical Address Extension :", 1},
    {7, "   Machine Check Exception :", 4},
    {8, "   CMPXCHG8 Instruction : ", 6},
    {9, "   On-chip APIC hardware :", 6},
    {11, "   Fast System Call :", 11},
    {12, "   Memory Type Registers :", 6},
    {13, "   Global Paging Extension :", 4},
    {14, "   Machine Check Architecture :", 1},
    {15, "   CMOV Instruction :", 11},
    {16, "   Page Attribute Table :", 7},
    {17, "   36-bit Page Size Extension :", 1},
    {18, "   Processor serial number :", 4},
    {19, "   CLFLUSH Instruction :", 8},
    {21, "   Debug Trace Store :", 10},
    {22, "   ACPI Power Management :", 6},
    {23, "   Intel MMX Extension :", 8},
    {24, "   Fast Floating Point save/restore :", 2},
    {25, "   Streaming SIMD Extension :", 3},
    {26, "   Streaming SIMD Extension 2 :", 1},
    {27, "   Self-Snoop  :", 16},
    {29, "   Thermal Monitor :", 12},
    {30, "   IA-64 Extension :", 12},
};

// The AMD values stand at column 42.
constexpr FeatureLine kExtendedFeatures[] = {
    {22, "   AMD MMX Extension : ", 15},
    {31, "   AMD 3DNow! Instructions :", 10},
    {30, "   AMD 3DNow! Extended Instructions :", 1},
};

constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

bool BitSet(uint32_t flags, int bit) { return (flags >> bit) & 1u; }

std::string FeatureLineText(const FeatureLine& line, const std::string& value)
{
    return "\n   " + std::string(line.label) + std::string(static_cast<size_t>(line.blanks), ' ') + value;
}

const std::string kRule(79, '^');

}  // namespace

std::span<const FeatureLine> StandardFeatureLines() { return kStandardFeatures; }
std::span<const FeatureLine> ExtendedFeatureLines() { return kExtendedFeatures; }

std::string StandardFeatureValue(uint32_t flags, int bit)
{
    if (bit == 0) return BitSet(flags, bit) ? "Yes" : "No";
    return BitSet(flags, bit) ? "Supported" : "Unsupported";
}

std::string ExtendedFeatureValue(uint32_t flags, int bit) { return BitSet(flags, bit) ? "Supported" : "Unsupported"; }

std::string FormatReportDate(std::time_t when)
{
    std::tm local{};
    if (!localtime_r(&when, &local)) return "";
    // The month is named in English whatever the user's locale: strftime's %B would follow LC_TIME.
    return platform::TextFormat("%s %02d, %04d", kMonths[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900);
}

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

std::string CProcessorReport::StandardFeaturesText(uint32_t flags)
{
    std::string text = "\n\n\n Standard Features (Intel)";
    for (const FeatureLine& line : kStandardFeatures) text += FeatureLineText(line, StandardFeatureValue(flags, line.bit));
    return text;
}

std::string CProcessorReport::ExtendedFeaturesText(uint32_t flags)
{
    std::string text = "\n\n\n Extended Features (AMD)";
    for (const FeatureLine& line : kExtendedFeatures) text += FeatureLineText(line, ExtendedFeatureValue(flags, line.bit));
    return text;
}

void CProcessorReport::WriteHeader(ReportSink& file)
{
    file.Write(kRule + "\n");
    file.Write("\n\n   This file is created by Vext version 1.0 on ");
    file.Write(FormatReportDate(platform::CalendarTime()));
    file.Write("\n\n");
    file.Write("   The following fields are for your remarks\n");
    file.Write("     Processor Vendor  :\n");
    file.Write("     Processor Type    :\n");
    file.Write("     Processor Speed   :     MHz  (   x     MHz)\n");
    file.Write("     Memory            :\n");
    file.Write("     Operating System  :\n");
    file.Write("\n" + kRule + "\n\n");
}

void CProcessorReport::WriteProcessorDetails(ReportSink& file)
{
    // DetectVendor sets the vendor code that CreateProcessor reads.
    file.Write("\n Vendor Name     : ");
    file.Write(DetectVendor());
    std::unique_ptr<CProcessor> processor = CreateProcessor();
    file.Write("\n Processor       : ");
    file.Write(processor->GetName());
    file.Write("\n Frequency       : ");
    file.Write(ClockText(*processor));

    std::string l1Code, l1Data, l2;
    processor->FormatCacheSizes(l1Code, l1Data, l2);
    file.Write("\n\n L1 Instruction Cache   : ");
    file.Write(l1Code);
    file.Write("\n L1 Data Cache          : ");
    file.Write(l1Data);
    file.Write("\n L2 Cache               : ");
    file.Write(l2);

    file.Write("\n\n Processor Type       : ");
    file.Write(processor->GetProcessorType());
    file.Write("\n Brand ID             : ");
    file.Write(processor->GetBrandName());
    file.Write("\n Brand String         : ");
    file.Write(processor->GetBrandString());

    file.Write("\n\n\n Cache Details");
    file.Write("\n   L1 Instruction Cache   : ");
    file.Write(processor->DescribeL1CodeCache());
    file.Write("\n   L1 Data Cache          : ");
    file.Write(processor->DescribeL1DataCache());
    std::string pages4Mb, pages4Kb;
    processor->DescribeInstructionTlb(pages4Mb, pages4Kb);
    file.Write("\n\n   L1 Instruction TLB (4 Kb pages) : ");
    file.Write(pages4Kb);
    file.Write("\n   L1 Instruction TLB (4 Mb pages) : ");
    file.Write(pages4Mb);
    processor->DescribeDataTlb(pages4Mb, pages4Kb);
    file.Write("\n\n   L1 Data TLB (4 Kb pages)   : ");
    file.Write(pages4Kb);
    file.Write("\n   L1 Data TLB (4 Mb pages)   : ");
    file.Write(pages4Mb);
    file.Write("\n\n   L2 Cache                   : ");
    file.Write(processor->DescribeL2Cache());
    file.Write("\n   L2 Unified TLB (AMD)       : ");
    file.Write(processor->DescribeL2Tlb());

    WriteStandardFeatures(file);
    WriteExtendedFeatures(file);

    file.Write("\n\n\n Other Features");
    CpuSignature signature;
    GetFamilyModelStepping(signature);
    file.Write("\n      Familiy / Model / Stepping       : ");
    file.Write(FamilyModelSteppingText(signature));
    CpuSignature extended;
    processor->GetExtendedFamilyModel(extended);
    file.Write("\n      Extended Family / Model (Intel)  : ");
    file.Write(ExtendedFamilyModelText(extended));
    file.Write("\n      Generation (AMD)                 : ");
    file.Write(GenerationText(processor->GetGeneration()));
    SerialNumber serial;
    processor->GetSerialNumber(serial);
    file.Write("\n      Serial Number (Intel)            : ");
    file.Write(SerialNumberText(serial));
}

void CProcessorReport::WriteStandardFeatures(ReportSink& file) { file.Write(StandardFeaturesText(StandardFeatureFlags().flags)); }

void CProcessorReport::WriteExtendedFeatures(ReportSink& file) { file.Write(ExtendedFeaturesText(AmdFeatureFlags().flags)); }

void CProcessorReport::CreateReport()
{
    platform::FileDialogRequest request;
    request.filter = kReportFilter;
    request.defaultExtension = "txt";
    request.overwritePrompt = true;
    request.pathMustExist = true;
    request.hideReadOnly = true;
    std::optional<std::string> path = platform::Prompt().AskSavePath(request);
    if (!path) return;
    try {
        CReportFile file(*path);
        WriteHeader(file);
        WriteProcessorDetails(file);
        file.Close();
    } catch (const ReportFileError&) {
        platform::Prompt().ShowMessage(kReportFileError, platform::MessageIcon::Stop);
    }
}

std::string CProcessorReport::ReportText()
{
    ReportString text;
    WriteHeader(text);
    WriteProcessorDetails(text);
    return text.Text();
}
