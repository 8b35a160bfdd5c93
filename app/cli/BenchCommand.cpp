#include <cstdio>

#include "app/cli/BenchSuitesCommand.h"
#include "app/cli/Commands.h"

int RunBenchCommand(const std::vector<std::string>& args)
{
    std::vector<std::string> rest;
    if (!args.empty()) rest.assign(args.begin() + 1, args.end());
    if (!args.empty() && args[0] == "fpu") return RunFpuBenchCommand(rest);
    if (!args.empty() && args[0] == "cache") return RunCacheBenchCommand(rest);
    if (!args.empty() && args[0] == "cpu") {
        std::fprintf(stderr, "vext-cli: 'bench cpu' is not built yet\n");
        return 2;
    }
    std::fprintf(stderr, "Usage: vext-cli bench cpu|fpu|cache [-o FILE]\n");
    return 2;
}
