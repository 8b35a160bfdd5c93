#include "app/cli/RunOutput.h"

#include <cstdio>

#include "platform/TextFormat.h"
#include "results/JsonText.h"
#include "results/RunIdentity.h"

namespace cli {

using namespace results;

void PrintJson(const nlohmann::json& value) { std::printf("%s\n", JsonText(value).c_str()); }

void NoteCpuQuota(const platform::Machine& machine, const std::string& command, std::size_t threads)
{
    if (const std::optional<double> quota = CpuQuotaBelow(machine, threads))
        std::fprintf(stderr,
                     "vext-cli %s: the control group allows %s processors' time to %d thread%s: "
                     "the figures measure that quota, not the machine\n",
                     command.c_str(), platform::FormatTwoDecimals(*quota).c_str(), static_cast<int>(threads),
                     threads == 1 ? "" : "s");
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

}  // namespace cli
