#include "app/cli/RunIdentity.h"

#include <ctime>

#include "app/cli/CommandLine.h"
#include "app/cli/JsonText.h"
#include "app/cli/ProcessorJson.h"
#include "cpu/ModernProcessor.h"
#include "platform/Clocks.h"
#include "platform/MachineFacts.h"
#include "platform/TextFormat.h"

std::string Iso8601Utc(std::time_t time)
{
    std::tm utc{};
    if (!::gmtime_r(&time, &utc)) return "";
    return platform::TextFormat("%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                                utc.tm_hour, utc.tm_min, utc.tm_sec);
}

nlohmann::json RunIdentity(const std::optional<std::string>& label)
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
