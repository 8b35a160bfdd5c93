#pragma once
// The processor instructions the program executes: CPUID, RDTSC and XGETBV.
#include <cstdint>
#include <string>

#include "platform/Seam.h"

namespace platform {

struct CpuidRegs {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
    bool operator==(const CpuidRegs&) const = default;
};

struct CpuidTag {
    static CpuidRegs Live(uint32_t leaf, uint32_t subleaf);
};
struct TscTag {
    static uint64_t Live();
};

struct Xcr0Tag {
    static uint64_t Live();
};

using CpuidSeam = Seam<CpuidTag, CpuidRegs(uint32_t, uint32_t)>;
using TscSeam = Seam<TscTag, uint64_t()>;
using Xcr0Seam = Seam<Xcr0Tag, uint64_t()>;
using ScopedCpuid = CpuidSeam::Scoped;
using ScopedTsc = TscSeam::Scoped;
using ScopedXcr0 = Xcr0Seam::Scoped;

// CPUID with EAX = leaf and ECX = subleaf. On a non-x86 build the live answer is all zeros.
inline CpuidRegs Cpuid(uint32_t leaf, uint32_t subleaf = 0) { return CpuidSeam::Call(leaf, subleaf); }

// A register's four bytes as the processor stores text in it, lowest byte first ("Genu" of 0x756e6547).
inline std::string RegisterBytes(uint32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    return bytes;
}

// The full 64-bit time-stamp counter (0 on a non-x86 build).
inline uint64_t ReadTsc() { return TscSeam::Call(); }

// The register XCR0: which register states the operating system saves and so lets programs use.
// XGETBV faults unless CPUID leaf 1 reports OSXSAVE: ask only then.
inline uint64_t ReadXcr0() { return Xcr0Seam::Call(); }

}  // namespace platform
