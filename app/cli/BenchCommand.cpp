#include <cstdio>

#include "app/cli/Commands.h"

int RunBenchCommand(const std::vector<std::string>&)
{
    std::fprintf(stderr, "vext-cli: 'bench' is not built yet\n");
    return 2;
}
