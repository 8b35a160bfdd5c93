// Reads the machine code of the kernels as linked into this test binary, and checks that the measured
// work is still there: GCC once deleted a whole Whetstone section whose integers never change, a cache
// loop without asm or volatile compiled to nothing, and clang deleted the calls to the empty call
// targets until they got an empty asm.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/core/Disassembly.h"

using disasm::CountPrefix;

namespace {

// The instructions of one function of this test binary, named by its mangled name.
std::vector<std::string> Disassemble(const std::string& mangled)
{
    return disasm::Functions("-d --no-show-raw-insn --disassemble=" + mangled)[mangled];
}

// Calls whose target is `name` exactly, or, for a member function, contains it.
int Calls(const std::vector<std::string>& code, const std::string& name, bool member = false)
{
    const std::vector<std::string> targets = disasm::CallTargets(code);
    return static_cast<int>(std::count_if(targets.begin(), targets.end(), [&](const std::string& t) {
        return member ? t.find(name) != std::string::npos : t == name;
    }));
}

// Instructions that match exactly once runs of blanks are squeezed ("mov (%rsi),%eax").
int Exactly(const std::vector<std::string>& code, const std::string& wanted)
{
    int n = 0;
    for (std::string insn : code) {
        insn.erase(std::unique(insn.begin(), insn.end(), [](char a, char b) { return a == ' ' && b == ' '; }), insn.end());
        n += insn == wanted ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST(FpuCacheCode, WhetstoneSectionsKeepTheirCallsAndArithmetic)
{
    const auto passes = Disassemble("_ZN10CWhetstone15WhetstonePassesEiii");
    ASSERT_FALSE(passes.empty()) << "objdump is needed to read the kernels";
    // N2, N6, N7; N5 with every call its own (no sincos); N8.
    const std::pair<const char*, int> calls[] = {{"WhetArrayParam", 1}, {"WhetProcCall", 1}, {"WhetArrayAssign", 1}, {"sin", 2},
                                                 {"cos", 6},            {"atan", 2},         {"exp", 1},             {"log", 1}};
    for (auto [name, n] : calls) EXPECT_EQ(Calls(passes, name, name[0] == 'W'), n) << name;
    EXPECT_GE(Calls(passes, "sqrt") + CountPrefix(passes, "sqrtsd"), 1);
    // N4's six multiplications of integers that the optimiser could otherwise fold away.
    EXPECT_GE(CountPrefix(passes, "imul"), 6);
    // The procedures still do their arithmetic.
    const auto arrayParam = Disassemble("_ZN10CWhetstone14WhetArrayParamEPVddd");
    EXPECT_GE(CountPrefix(arrayParam, "mulsd"), 3);
    EXPECT_GE(CountPrefix(arrayParam, "divsd"), 1);
    EXPECT_GE(CountPrefix(Disassemble("_ZN10CWhetstone12WhetProcCallERdS0_S0_ddd"), "mulsd"), 2);
    EXPECT_GE(CountPrefix(Disassemble("_ZN10CWhetstone15WhetArrayAssignEPVdiii"), "movsd"), 6);
}

TEST(FpuCacheCode, CacheLoopsAreTheLiteralAccesses)
{
    // The passes are forced inline: the timed region makes no calls, in any build.
    const auto kernel = Disassemble("_Z23TimeCacheKernelRepeatedi16CacheBenchMethodij");
    ASSERT_FALSE(kernel.empty()) << "objdump is needed to read the kernels";
    for (const char* insn : {"rep movsl %ds:(%rsi),%es:(%rdi)", "mov (%rsi),%eax", "mov %eax,(%rsi)", "add $0x4,%rsi",
                             "mov (%rsi),%al", "mov %al,(%rsi)"})
        EXPECT_EQ(Exactly(kernel, insn), 1) << insn;
}

TEST(KernelCode, CallsAndStringRoutinesSurviveTheOptimiser)
{
    const auto functions = disasm::Functions("-d --no-show-raw-insn -C");
    ASSERT_FALSE(functions.empty()) << "objdump is needed to read the kernels";
    auto callsOf = [&](const std::string& prefix) {
        for (const auto& [name, code] : functions)
            if (name.starts_with(prefix)) return disasm::CallTargets(code);
        ADD_FAILURE() << "no function " << prefix;
        return std::vector<std::string>{};
    };
    for (const std::string n : {"0", "1", "2", "3", "4"})
        EXPECT_EQ(CountPrefix(callsOf("unsigned int bench::Call" + n + "Loop<CCPUBench, bench::NoProbe>"),
                              "CCPUBench::Call" + n + "("),
                  1)
            << "Call" << n;
    const auto string = callsOf("unsigned int bench::StringLoop<bench::NoProbe>");
    EXPECT_EQ(CountPrefix(string, "strcpy"), 1);
    EXPECT_EQ(CountPrefix(string, "strlen"), 1);
    EXPECT_EQ(CountPrefix(string, "sprintf"), 2);
    EXPECT_EQ(CountPrefix(string, "strcat"), 1);
    const auto dhrystone = callsOf("unsigned int CDhrystone::RunPasses<bench::NoProbe>");
    for (const char* procedure : {"Proc1", "Proc2", "Proc4", "Proc5", "Proc6", "Proc7", "Proc8", "Func1", "Func2"})
        EXPECT_EQ(CountPrefix(dhrystone, std::string("CDhrystone::") + procedure + "("), 1) << procedure;
    EXPECT_GE(CountPrefix(dhrystone, "strcpy"), 1);  // the copy on every pass (the set-up copies may be inlined)
    EXPECT_EQ(CountPrefix(callsOf("CDhrystone::Proc1("), "CDhrystone::Proc3("), 1);
    EXPECT_EQ(CountPrefix(callsOf("CDhrystone::Func2("), "strcmp"), 1);
}
