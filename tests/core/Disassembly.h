#pragma once
// Reading this test binary's own machine code, for the checks that the optimiser left the measured
// work in place.
#include <cstdio>
#include <filesystem>
#include <string>

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

}  // namespace disasm
