#include "app/cli/RunIdentity.h"

#include <cstdio>
#include <ctime>

#include "app/cli/CommandLine.h"
#include "app/cli/JsonText.h"
#include "app/cli/ProcessorJson.h"
#include "cpu/ModernProcessor.h"
#include "platform/Clocks.h"
#include "platform/ControlGroup.h"
#include "platform/MachineFacts.h"
#include "platform/TextFormat.h"

std::string Iso8601Utc(std::time_t time)
{
    std::tm utc{};
    if (!::gmtime_r(&time, &utc)) return "";
    return platform::TextFormat("%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                utc.tm_hour, utc.tm_min, utc.tm_sec);
}

std::optional<double> CpuQuotaBelow(std::size_t threads)
{
    const std::optional<double> quota = platform::ControlGroupLimits().cpuQuota;
    if (quota && *quota < static_cast<double>(threads)) return quota;
    return std::nullopt;
}

void NoteCpuQuota(const std::string& command, std::size_t threads)
{
    if (const std::optional<double> quota = CpuQuotaBelow(threads))
        std::fprintf(stderr,
                     "vext-cli %s: the control group allows %s processors' time to %d thread%s: "
                     "the figures measure that quota, not the machine\n",
                     command.c_str(), platform::FormatTwoDecimals(*quota).c_str(), static_cast<int>(threads),
                     threads == 1 ? "" : "s");
}

nlohmann::json RunIdentity(const std::optional<std::string>& label, std::optional<std::size_t> threads)
{
    const nlohmann::json processor = ProcessorJson(cpu::DecodeModernProcessor());
    const platform::MachineFacts facts = platform::GetMachineFacts();
    nlohmann::json run = {
        {"vext_version", VEXT_VERSION},
        {"utc", Iso8601Utc(platform::CalendarTime())},
        {"processor",
         {{"vendor", processor["vendor"]},
          {"brand", processor["brand"]},
          {"family", processor["family"]},
          {"model", processor["model"]},
          {"stepping", processor["stepping"]}}},
        {"logical_processors", facts.logicalProcessors},
        {"kernel_release", Utf8OrLatin1(facts.kernelRelease)},
    };
    if (label) run["label"] = Utf8OrLatin1(*label);
    if (const std::optional<double> quota = threads ? CpuQuotaBelow(*threads) : std::nullopt) run["cpu_quota"] = *quota;
    return run;
}

void AddLabelOption(CLI::App& command, std::optional<std::string>& label, CLI::Option* json)
{
    command
        .add_option("--label", label,
                    "a text that names this run in its JSON (a host name, say); without it the JSON\n"
                    "names no host, user or address")
        ->type_name("TEXT")
        ->needs(json);
}

void PrintRunJson(nlohmann::json result, const nlohmann::json& run)
{
    result["run"] = run;
    PrintJson(result);
}
