#include <string>
#include <vector>

#include "app/cli/Commands.h"

int main(int argc, char** argv) { return RunVextCli(std::vector<std::string>(argv + 1, argv + argc)); }
