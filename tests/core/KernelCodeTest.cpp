// Reads the machine code of the program's own kernel instances (linked into this test binary) and
// checks that the optimiser left the calls that are part of the measured work: clang, for one,
// deleted the calls to the empty call targets until they got an empty asm.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/core/Disassembly.h"

namespace {

// Function name -> the names of the functions it calls directly (PLT and sanitizer interceptor
// prefixes stripped), in order.
using CallMap = std::map<std::string, std::vector<std::string>>;

CallMap DisassembleSelf()
{
    CallMap calls;
    const std::string text = disasm::ObjdumpSelf("-d --no-show-raw-insn -C");
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string>* current = nullptr;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == ':' && line.find(" <") != std::string::npos) {
            const size_t open = line.find(" <") + 2;
            current = &calls[line.substr(open, line.size() - open - 2)];
            continue;
        }
        if (!current || line.find("\tcall ") == std::string::npos) continue;
        if (std::string target = disasm::CallTarget(line); !target.empty()) current->push_back(target);
    }
    return calls;
}

const std::vector<std::string>& CallsOf(const CallMap& calls, const std::string& prefix)
{
    static const std::vector<std::string> none;
    for (const auto& [name, targets] : calls)
        if (name.starts_with(prefix)) return targets;
    ADD_FAILURE() << "no function " << prefix;
    return none;
}

int Count(const std::vector<std::string>& targets, const std::string& prefix)
{
    int n = 0;
    for (const std::string& t : targets) n += t.starts_with(prefix) ? 1 : 0;
    return n;
}

}  // namespace

TEST(KernelCode, CallsAndStringRoutinesSurviveTheOptimiser)
{
    const CallMap calls = DisassembleSelf();
    if (calls.empty()) GTEST_SKIP() << "objdump is not available";

    for (int k = 0; k <= 4; ++k) {
        const std::string n = std::to_string(k);
        EXPECT_EQ(Count(CallsOf(calls, "unsigned int bench::Call" + n + "Loop<CCPUBench, bench::NoProbe>"),
                        "CCPUBench::Call" + n + "("),
                  1)
            << "Call" << n;
    }

    const auto& string = CallsOf(calls, "unsigned int bench::StringLoop<bench::NoProbe>");
    EXPECT_EQ(Count(string, "strcpy"), 1);
    EXPECT_EQ(Count(string, "strlen"), 1);
    EXPECT_EQ(Count(string, "sprintf"), 2);
    EXPECT_EQ(Count(string, "strcat"), 1);

    const auto& dhrystone = CallsOf(calls, "int CDhrystone::RunPasses<bench::NoProbe>");
    for (const char* procedure : {"Proc1", "Proc2", "Proc4", "Proc5", "Proc6", "Proc7", "Proc8", "Func1", "Func2"})
        EXPECT_EQ(Count(dhrystone, std::string("CDhrystone::") + procedure + "("), 1) << procedure;
    EXPECT_GE(Count(dhrystone, "strcpy"), 1);  // the copy on every pass (the set-up copies may be inlined)
    EXPECT_EQ(Count(CallsOf(calls, "CDhrystone::Proc1("), "CDhrystone::Proc3("), 1);
    EXPECT_EQ(Count(CallsOf(calls, "CDhrystone::Func2("), "strcmp"), 1);
}
