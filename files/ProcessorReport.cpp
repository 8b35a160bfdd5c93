#include "files/ProcessorReport.h"

#include <optional>
#include <string>

#include "cpu/Processor.h"
#include "files/ProcessorFacts.h"
#include "platform/Clocks.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

bool BitSet(uint32_t flags, int bit) { return (flags >> bit) & 1u; }

std::string FeatureLineText(const FeatureLine& line, const std::string& value)
{
    return "\n   " + std::string(line.label) + std::string(static_cast<size_t>(line.blanks), ' ') + value;
}

const std::string kRule(79, '^');

}  // namespace

std::span<const FeatureLine> StandardFeatureLines() { return kStandardFeatureLines; }
std::span<const FeatureLine> ExtendedFeatureLines() { return kExtendedFeatureLines; }

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
    for (const FeatureLine& line : kStandardFeatureLines) text += FeatureLineText(line, StandardFeatureValue(flags, line.bit));
    return text;
}

std::string CProcessorReport::ExtendedFeaturesText(uint32_t flags)
{
    std::string text = "\n\n\n Extended Features (AMD)";
    for (const FeatureLine& line : kExtendedFeatureLines) text += FeatureLineText(line, ExtendedFeatureValue(flags, line.bit));
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
    const ProcessorFacts facts = GatherProcessorFacts();
    file.Write("\n Vendor Name     : " + facts.vendor);
    file.Write("\n Processor       : " + facts.name);
    file.Write("\n Frequency       : " + facts.frequency);

    file.Write("\n\n L1 Instruction Cache   : " + facts.l1CodeSize);
    file.Write("\n L1 Data Cache          : " + facts.l1DataSize);
    file.Write("\n L2 Cache               : " + facts.l2Size);

    file.Write("\n\n Processor Type       : " + facts.type);
    file.Write("\n Brand ID             : " + facts.brandId);
    file.Write("\n Brand String         : " + facts.brandString);

    file.Write("\n\n\n Cache Details");
    file.Write("\n   L1 Instruction Cache   : " + facts.l1CodeCache);
    file.Write("\n   L1 Data Cache          : " + facts.l1DataCache);
    file.Write("\n\n   L1 Instruction TLB (4 Kb pages) : " + facts.instructionTlb4Kb);
    file.Write("\n   L1 Instruction TLB (4 Mb pages) : " + facts.instructionTlb4Mb);
    file.Write("\n\n   L1 Data TLB (4 Kb pages)   : " + facts.dataTlb4Kb);
    file.Write("\n   L1 Data TLB (4 Mb pages)   : " + facts.dataTlb4Mb);
    file.Write("\n\n   L2 Cache                   : " + facts.l2Cache);
    file.Write("\n   L2 Unified TLB (AMD)       : " + facts.l2Tlb);

    file.Write(StandardFeaturesText(facts.standardFeatures));
    file.Write(ExtendedFeaturesText(facts.extendedFeatures));

    file.Write("\n\n\n Other Features");
    file.Write("\n      Familiy / Model / Stepping       : " + facts.familyModelStepping);
    file.Write("\n      Extended Family / Model (Intel)  : " + facts.extendedFamilyModel);
    file.Write("\n      Generation (AMD)                 : " + facts.generation);
    file.Write("\n      Serial Number (Intel)            : " + facts.serialNumber);
}

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
