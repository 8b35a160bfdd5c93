// Reads the machine code of the kernels as linked into this test binary, and checks that the measured
// work is still there: GCC once deleted a whole Whetstone section whose integers never change, a cache
// loop without asm or volatile compiled to nothing, and clang deleted the calls to the empty call
// targets until they got an empty asm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Code = std::vector<std::string>;

// Function name -> its instructions with runs of blanks squeezed ("mov (%rsi),%eax"), from objdump's
// listing of this very binary (the path itself: objdump would read its own /proc/self/exe).
std::map<std::string, Code> Functions(const std::string& options)
{
    FILE* pipe = popen(("objdump " + options + " '" + std::filesystem::read_symlink("/proc/self/exe").string() + "' 2>/dev/null").c_str(), "r");
    std::string text;
    for (char chunk[65536]; size_t n = pipe ? fread(chunk, 1, sizeof chunk, pipe) : 0;) text.append(chunk, n);
    if (pipe) pclose(pipe);
    std::map<std::string, Code> functions;
    std::istringstream lines(text);
    Code* current = nullptr;
    for (std::string line; std::getline(lines, line);) {
        if (const size_t open = line.find(" <"); line.ends_with(">:") && open != std::string::npos) {
            current = &functions[line.substr(open + 2, line.size() - open - 4)];
        } else if (const size_t tab = line.find(":\t"); current && tab != std::string::npos) {
            std::string insn = line.substr(tab + 2);
            insn.erase(std::unique(insn.begin(), insn.end(), [](char a, char b) { return a == ' ' && b == ' '; }), insn.end());
            current->push_back(insn);
        }
    }
    return functions;
}

// How many calls name a target that starts with `name` ("call 1234 <memcpy@plt>" names "memcpy@plt";
// a sanitizer's "__interceptor_" prefix does not count), or instructions that start with it.
int Count(const Code& code, const std::string& name, bool calls = true)
{
    return static_cast<int>(std::count_if(code.begin(), code.end(), [&](std::string insn) {
        if (!calls) return insn.starts_with(name);
        const size_t open = insn.find('<');
        if (!insn.starts_with("call") || open == std::string::npos) return false;
        std::string target = insn.substr(open + 1);
        if (target.starts_with("__interceptor_")) target.erase(0, 14);
        return target.starts_with(name) && (target.size() == name.size() || !isalnum(target[name.size()]));
    }));
}

}  // namespace

TEST(KernelCode, CallsArithmeticAndCacheAccessesSurviveTheOptimiser)
{
    // Demangled names, matched up to the parameter list: a parameter of another type is no fault.
    const auto named = Functions("-d --no-show-raw-insn -C");
    ASSERT_FALSE(named.empty()) << "objdump is needed to read the kernels";
    auto code = [](const std::map<std::string, Code>& functions, const std::string& prefix) {
        for (const auto& [name, insns] : functions)
            if (name.starts_with(prefix)) return insns;
        ADD_FAILURE() << "no function " << prefix;
        return Code{};
    };
    // Whetstone N2, N6, N7; N5 with every call its own (no sincos); N8; N4's six multiplications.
    const Code passes = code(named, "bench::CWhetstone::WhetstonePasses(");
    const std::pair<const char*, int> whetstone[] = {{"bench::CWhetstone::WhetArrayParam", 1}, {"bench::CWhetstone::WhetProcCall", 1},
                                                     {"bench::CWhetstone::WhetArrayAssign", 1}, {"sin", 2}, {"cos", 6},
                                                     {"atan", 2}, {"exp", 1}, {"log", 1}};
    for (auto [name, n] : whetstone) EXPECT_EQ(Count(passes, name), n) << name;
    EXPECT_GE(Count(passes, "sqrt") + Count(passes, "sqrtsd", false), 1);
    EXPECT_GE(Count(passes, "imul", false), 6);
    EXPECT_GE(Count(code(named, "bench::CWhetstone::WhetArrayParam("), "mulsd", false), 3);
    // The cache passes are forced inline: the timed region makes no calls. Each literal access is there
    // twice: timed, and in the untimed warm-up pass.
    const Code cache = code(named, "bench::TimeCacheKernelRepeated(");
    for (const char* insn : {"rep movsl %ds:(%rsi),%es:(%rdi)", "mov (%rsi),%eax", "mov %eax,(%rsi)", "mov (%rsi),%al", "mov %al,(%rsi)"})
        EXPECT_EQ(std::count(cache.begin(), cache.end(), insn), 2) << insn;
    // The call kernels call their targets, the string kernel its routines, Dhrystone its procedures.
    for (const std::string n : {"0", "1", "2", "3", "4"})
        EXPECT_EQ(Count(code(named, "unsigned int bench::Call" + n + "Loop<bench::CCPUBench, bench::NoProbe>"), "bench::CCPUBench::Call" + n), 1) << n;
    for (auto [name, n] : {std::pair{"strcpy", 1}, {"strlen", 1}, {"sprintf", 2}, {"strcat", 1}})
        EXPECT_EQ(Count(code(named, "unsigned int bench::StringLoop<bench::NoProbe>"), name), n) << name;
    const Code dhrystone = code(named, "unsigned int bench::CDhrystone::RunPasses<bench::NoProbe>");
    for (const char* procedure : {"Proc1", "Proc2", "Proc4", "Proc5", "Proc6", "Proc7", "Proc8", "Func1", "Func2"})
        EXPECT_EQ(Count(dhrystone, std::string("bench::CDhrystone::") + procedure), 1) << procedure;
    EXPECT_GE(Count(dhrystone, "strcpy"), 1);  // the copy on every pass (the set-up copies may be inlined)
    EXPECT_EQ(Count(code(named, "bench::CDhrystone::Proc1("), "bench::CDhrystone::Proc3"), 1);
    EXPECT_EQ(Count(code(named, "bench::CDhrystone::Func2("), "strcmp"), 1);
}
