#pragma once
// The processor instructions the program executes: CPUID, RDTSC and XGETBV.
#include <cstdint>
#include <string>

namespace platform {

struct CpuidRegs {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
    bool operator==(const CpuidRegs&) const = default;
};

// CPUID with EAX = leaf and ECX = subleaf. On a non-x86 build the live answer is all zeros.
CpuidRegs LiveCpuid(uint32_t leaf, uint32_t subleaf);

// A register's four bytes as the processor stores text in it, lowest byte first ("Genu" of 0x756e6547).
inline std::string RegisterBytes(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    return bytes;
}

// The full 64-bit time-stamp counter (0 on a non-x86 build).
uint64_t LiveTsc();

// The register XCR0: which register states the operating system saves and so lets programs use.
// XGETBV faults unless CPUID leaf 1 reports OSXSAVE: ask only then.
uint64_t LiveXcr0();

}  // namespace platform
