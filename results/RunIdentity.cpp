#include "results/RunIdentity.h"

#include <ctime>

#include "cpu/ModernProcessor.h"
#include "platform/TextEncoding.h"
#include "platform/TextFormat.h"
#include "results/ProcessorJson.h"

using namespace cpu;

namespace results {

std::string Iso8601Utc(std::time_t time)
{
    std::tm utc{};
    if (!::gmtime_r(&time, &utc)) return "";
    return platform::TextFormat("%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                utc.tm_hour, utc.tm_min, utc.tm_sec);
}

std::optional<double> CpuQuotaBelow(const platform::Machine& machine, std::size_t threads)
{
    const std::optional<double> quota = machine.cgroupLimits().cpuQuota;
    if (quota && *quota < static_cast<double>(threads)) return quota;
    return std::nullopt;
}

nlohmann::json RunIdentity(const platform::Machine& machine, const std::optional<std::string>& label,
                           std::optional<std::size_t> threads)
{
    const nlohmann::json processor = ProcessorJson(cpu::DecodeModernProcessor(machine));
    const platform::MachineFacts facts = machine.machineFacts();
    nlohmann::json run = {
        {"vext_version", VEXT_VERSION},
        {"utc", Iso8601Utc(machine.calendarTime())},
        {"processor",
         {{"vendor", processor["vendor"]},
          {"brand", processor["brand"]},
          {"family", processor["family"]},
          {"model", processor["model"]},
          {"stepping", processor["stepping"]}}},
        {"logical_processors", facts.logicalProcessors},
        {"kernel_release", platform::Utf8OrLatin1(facts.kernelRelease)},
    };
    if (label) run["label"] = platform::Utf8OrLatin1(*label);
    if (const std::optional<double> quota = threads ? CpuQuotaBelow(machine, *threads) : std::nullopt) run["cpu_quota"] = *quota;
    return run;
}

}  // namespace results
