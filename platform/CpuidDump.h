#pragma once
// Recorded CPUID register dumps, so that the identification can run against a processor that is not
// this one. Two text formats are read:
//   our own:        LEAF SUBLEAF EAX EBX ECX EDX   (hexadecimal, '#' starts a comment)
//   `cpuid -r -1`:  0x00000000 0x00: eax=0x0000000d ebx=0x756e6547 ecx=0x6c65746e edx=0x49656e69
// Of a `cpuid -r` dump of several processors, only the first is taken.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "platform/Cpuid.h"

namespace platform {

class CCpuidDumpError : public std::runtime_error {
public:
    CCpuidDumpError(int line, const std::string& what, const std::string& source = {})
        : std::runtime_error((source.empty() ? "" : source + ": ") +
                             (line > 0 ? "line " + std::to_string(line) + ": " : "") + what),
          line_(line), detail_(what)
    {
    }
    const std::string& Detail() const { return detail_; }
    int Line() const { return line_; }

private:
    int line_;
    std::string detail_;
};

class CCpuidDump {
public:
    // A leaf the dump does not list answers zeros.
    CpuidRegs Query(uint32_t leaf, uint32_t subleaf) const;
    void Set(uint32_t leaf, uint32_t subleaf, const CpuidRegs& regs) { leaves_[{leaf, subleaf}] = regs; }
    size_t Size() const { return leaves_.size(); }
    const std::string& Description() const { return description_; }
    void SetDescription(std::string text) { description_ = std::move(text); }

private:
    std::map<std::pair<uint32_t, uint32_t>, CpuidRegs> leaves_;
    std::string description_;  // the "# cpu:" comment, when there is one
};

// Throws CCpuidDumpError naming the line of the first malformed entry, or both lines of a leaf and
// subleaf given twice. An empty dump is an error.
CCpuidDump ParseCpuidDump(std::string_view text);
// Throws CCpuidDumpError, saying why, when the file cannot be read (a folder, a pipe or a device is
// not read at all) or is malformed.
CCpuidDump LoadCpuidDump(const std::string& path);

}  // namespace platform
