#include <cstdio>

#include "app/cli/Commands.h"

int RunShowCommand(const std::vector<std::string>&)
{
    std::fprintf(stderr, "vext-cli: 'show' is not built yet\n");
    return 2;
}
