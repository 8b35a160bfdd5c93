// Reads the machine code of the Whetstone sections and the cache kernels as linked into this test
// binary, and checks that the measured work is still there: GCC once deleted a whole Whetstone section
// whose integers never change, and a cache loop without asm or volatile compiled to nothing.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/core/Disassembly.h"

namespace {

// The instructions of one function of this test binary, as objdump prints them (mnemonic and
// operands); the function is named by its mangled name. Empty when objdump cannot be run.
std::vector<std::string> Disassemble(const std::string& mangled)
{
    std::vector<std::string> code;
    const std::string text = disasm::ObjdumpSelf("-d --no-show-raw-insn --disassemble=" + mangled);
    std::istringstream lines(text);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (line.ends_with(">:")) inside = line.find("<" + mangled + ">") != std::string::npos;
        const size_t tab = line.find(":\t");
        if (inside && tab != std::string::npos) code.push_back(line.substr(tab + 2));
    }
    return code;
}

// Calls whose target's name (without @plt or a sanitizer's interceptor prefix) is `name`, or, for a
// member function, contains it.
int Calls(const std::vector<std::string>& code, const std::string& name, bool member = false)
{
    int n = 0;
    for (const std::string& insn : code) {
        if (!insn.starts_with("call")) continue;
        const std::string target = disasm::CallTarget(insn);
        if (target.empty()) continue;
        n += (member ? target.find(name) != std::string::npos : target == name) ? 1 : 0;
    }
    return n;
}

int Count(const std::vector<std::string>& code, const std::string& mnemonic)
{
    int n = 0;
    for (const std::string& insn : code) n += insn.starts_with(mnemonic) ? 1 : 0;
    return n;
}

// Instructions that match exactly once runs of blanks are squeezed ("mov (%rsi),%eax").
int Exactly(const std::vector<std::string>& code, const std::string& wanted)
{
    int n = 0;
    for (const std::string& insn : code) {
        std::string squeezed;
        for (char c : insn)
            if (!(c == ' ' && !squeezed.empty() && squeezed.back() == ' ')) squeezed += c;
        n += squeezed == wanted ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(FpuCacheCode, WhetstoneSectionsKeepTheirCallsAndArithmetic)
{
    const auto passes = Disassemble("_ZN10CWhetstone15WhetstonePassesEiii");
    if (passes.empty()) GTEST_SKIP() << "objdump is not available";
    EXPECT_EQ(Calls(passes, "WhetArrayParam", true), 1);   // N2
    EXPECT_EQ(Calls(passes, "WhetProcCall", true), 1);     // N6
    EXPECT_EQ(Calls(passes, "WhetArrayAssign", true), 1);  // N7
    EXPECT_EQ(Calls(passes, "sin"), 2);                    // N5: every call its own, no sincos
    EXPECT_EQ(Calls(passes, "cos"), 6);
    EXPECT_EQ(Calls(passes, "atan"), 2);
    EXPECT_EQ(Calls(passes, "exp"), 1);  // N8
    EXPECT_EQ(Calls(passes, "log"), 1);
    EXPECT_GE(Calls(passes, "sqrt") + Count(passes, "sqrtsd"), 1);
    // N4's six multiplications of integers that the optimiser could otherwise fold away.
    EXPECT_GE(Count(passes, "imul"), 6);
    // The procedures still do their arithmetic.
    const auto arrayParam = Disassemble("_ZN10CWhetstone14WhetArrayParamEPVddd");
    EXPECT_GE(Count(arrayParam, "mulsd"), 3);
    EXPECT_GE(Count(arrayParam, "divsd"), 1);
    EXPECT_GE(Count(Disassemble("_ZN10CWhetstone12WhetProcCallERdS0_S0_ddd"), "mulsd"), 2);
    EXPECT_GE(Count(Disassemble("_ZN10CWhetstone15WhetArrayAssignEPVdiii"), "movsd"), 6);
}

TEST(FpuCacheCode, CacheLoopsAreTheLiteralAccesses)
{
#if !defined(__x86_64__)
    GTEST_SKIP() << "the literal sequences are x86-64 code";
#endif
    // The passes are forced inline: the timed region makes no calls, in any build.
    const auto kernel = Disassemble("_Z15TimeCacheKerneli16CacheBenchMethodi");
    if (kernel.empty()) GTEST_SKIP() << "objdump is not available";
    EXPECT_EQ(Exactly(kernel, "rep movsl %ds:(%rsi),%es:(%rdi)"), 1);
    EXPECT_EQ(Exactly(kernel, "mov (%rsi),%eax"), 1);
    EXPECT_EQ(Exactly(kernel, "mov %eax,(%rsi)"), 1);
    EXPECT_EQ(Exactly(kernel, "add $0x4,%rsi"), 1);
    EXPECT_EQ(Exactly(kernel, "mov (%rsi),%al"), 1);
    EXPECT_EQ(Exactly(kernel, "mov %al,(%rsi)"), 1);
}
