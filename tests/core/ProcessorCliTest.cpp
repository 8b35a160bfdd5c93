// vext-cli processor as a user runs it: what a recorded dump holds reaches the terminal escaped.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Dump bytes reach the terminal escaped and the JSON as UTF-8; a malformed dump is refused.
TEST(ModernCli, DumpTextsAreEscapedAndBadDumpsRefused)
{
    const struct {
        const char* dump;
        const char* options;
        int status;
        const char* expected;
    } cases[] = {
        {"0 0 zz\n", "", 2, ""},
        {"80000000 0 80000004 0 0 0\n80000002 0 1b41ae42 0 0 0\n", "", 0, "Brand             : B\xc2\xae" "A\\x1b\n"},
        {"80000000 0 80000004 0 0 0\n80000002 0 1b41ae42 0 0 0\n", "--json", 0, "\"brand\": \"B\xc2\xae" "A\\u001b\""},
    };
    const fs::path dump = fs::temp_directory_path() / ("vext-dump-" + std::to_string(::getpid()));
    const fs::path out = dump.string() + ".out";
    for (const auto& c : cases) {
        std::ofstream(dump) << c.dump;
        const std::string command = std::string(VEXT_CLI) + " processor " + c.options + " --cpuid '" + dump.string() +
                                    "' >'" + out.string() + "' 2>/dev/null";
        const int raw = std::system(command.c_str());
        std::stringstream text;
        text << std::ifstream(out).rdbuf();
        EXPECT_EQ(WEXITSTATUS(raw), c.status) << c.dump;
        EXPECT_NE(text.str().find(c.expected), std::string::npos) << text.str();
    }
    fs::remove(dump);
    fs::remove(out);
}

}  // namespace
