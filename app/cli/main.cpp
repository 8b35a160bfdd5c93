#include <string>
#include <vector>

#include "app/cli/Commands.h"
#include "bench/BenchContext.h"

using namespace bench;

int main(int argc, char** argv)
{
    const bench::Context context = bench::LiveContext();
    return cli::RunVextCli(std::vector<std::string>(argv + 1, argv + argc), context);
}
