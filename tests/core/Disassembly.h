#pragma once
// Reading this test binary's own machine code, for the checks that the optimiser left the measured
// work in place.
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace disasm {

// objdump's listing of this test binary with `options` (e.g. "-d --no-show-raw-insn"); empty when
// objdump cannot be run.
inline std::string ObjdumpSelf(const std::string& options)
{
    // The path itself: objdump would read its own /proc/self/exe.
    std::error_code error;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) return {};
    const std::string command = "objdump " + options + " '" + self + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, n);
    pclose(pipe);
    return text;
}

// The named target of a call in an objdump line ("call 1234 <memcpy@plt>" -> "memcpy"), without the
// @plt or symbol version and without a sanitizer's interceptor prefix; empty when it names none.
inline std::string CallTarget(const std::string& line)
{
    const size_t open = line.find('<');
    const size_t close = line.rfind('>');
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    std::string target = line.substr(open + 1, close - open - 1);
    if (const size_t at = target.find('@'); at != std::string::npos) target.resize(at);
    if (target.starts_with("__interceptor_")) target.erase(0, 14);
    return target;
}

// Function name -> its instructions (mnemonic and operands), from the listing with `options`.
inline std::map<std::string, std::vector<std::string>> Functions(const std::string& options)
{
    std::map<std::string, std::vector<std::string>> functions;
    std::istringstream lines(ObjdumpSelf(options));
    std::string line;
    std::vector<std::string>* current = nullptr;
    while (std::getline(lines, line)) {
        if (const size_t open = line.find(" <"); line.ends_with(">:") && open != std::string::npos) {
            current = &functions[line.substr(open + 2, line.size() - open - 4)];
        } else if (const size_t tab = line.find(":\t"); current && tab != std::string::npos) {
            current->push_back(line.substr(tab + 2));
        }
    }
    return functions;
}

// The named targets of the calls among `code`.
inline std::vector<std::string> CallTargets(const std::vector<std::string>& code)
{
    std::vector<std::string> targets;
    for (const std::string& insn : code)
        if (std::string target = insn.starts_with("call") ? CallTarget(insn) : ""; !target.empty())
            targets.push_back(target);
    return targets;
}

inline int CountPrefix(const std::vector<std::string>& items, const std::string& prefix)
{
    int n = 0;
    for (const std::string& item : items) n += item.starts_with(prefix) ? 1 : 0;
    return n;
}

}  // namespace disasm
