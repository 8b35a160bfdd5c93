// vext-cli show: a saved benchmark result file, as its page's "Loaded System" column shows it.
#include <memory>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/RunOutput.h"
#include "app/cli/SheetPrinting.h"
#include "results/ResultLoading.h"
#include "results/ResultSheet.h"

namespace cli {

using namespace results;

namespace {

const char kShowAbout[] =
    "Prints a result file saved by Vext's \"Save Results\" buttons (or by vext-cli bench -o): the\n"
    "saving machine's summary line, then each row of the page with its result. The type comes from\n"
    "the file name's extension: .cpu, .fpu or .cache.\n";

struct ShowOptions {
    std::string path;
    bool json = false;
};

int RunShow(const ShowOptions& options)
{
    std::string error;
    const std::optional<ResultSheet> sheet = LoadResultSheet(options.path, error);
    if (!sheet) return FailCommand("show", error);
    if (options.json)
        PrintJson(SheetJson(*sheet));
    else
        PrintSheet("Loaded System", *sheet);
    return 0;
}

}  // namespace

void AddShowCommand(CLI::App& cli, CommandRun& run, const bench::Context& /*context*/)
{
    CLI::App* show = cli.add_subcommand("show", "print a saved .cpu, .fpu or .cache result file");
    SetCommandHelp(*show, "vext-cli show FILE [--json]", kShowAbout);
    auto options = std::make_shared<ShowOptions>();
    show->add_option("FILE", options->path, "the result file")->required()->check(kNotEmpty);
    show->add_flag("--json", options->json, "one JSON object instead of the list");
    show->callback([&run, options] { run = [options] { return RunShow(*options); }; });
}

}  // namespace cli
