#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli/Commands.h"

namespace {

const char kUsage[] =
    "Usage: vext-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  report [-o FILE] [--cpuid DUMP] [--mhz N]   the processor report (standard output, or FILE)\n"
    "  bench cpu|fpu|cache [-o FILE]               run a benchmark suite, optionally saving its results\n"
    "  show FILE                                   print a saved .cpu, .fpu or .cache result file\n"
    "  processor [--json] [--cpuid DUMP]           the processor as CPUID describes it today\n"
    "\n"
    "Run 'vext-cli COMMAND --help' for a command's options.\n";

struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

const Command kCommands[] = {
    {"report", RunReportCommand},
    {"bench", RunBenchCommand},
    {"show", RunShowCommand},
    {"processor", RunProcessorCommand},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& c : kCommands)
        if (!std::strcmp(argv[1], c.name)) return c.run(args);
    std::fprintf(stderr, "vext-cli: unknown command '%s'\n\n%s", argv[1], kUsage);
    return 2;
}
