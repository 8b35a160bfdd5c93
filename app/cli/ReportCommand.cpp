#include <cstdio>

#include "app/cli/Commands.h"

int RunReportCommand(const std::vector<std::string>&)
{
    std::fprintf(stderr, "vext-cli: 'report' is not built yet\n");
    return 2;
}
