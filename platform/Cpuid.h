#pragma once
// The processor instructions the program executes: CPUID and RDTSC.
#include <cstdint>

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

using CpuidSeam = Seam<CpuidTag, CpuidRegs(uint32_t, uint32_t)>;
using TscSeam = Seam<TscTag, uint64_t()>;
using ScopedCpuid = CpuidSeam::Scoped;
using ScopedTsc = TscSeam::Scoped;

// CPUID with EAX = leaf and ECX = subleaf. On a non-x86 build the live answer is all zeros.
inline CpuidRegs Cpuid(uint32_t leaf, uint32_t subleaf = 0) { return CpuidSeam::Call(leaf, subleaf); }

// The full 64-bit time-stamp counter (0 on a non-x86 build).
inline uint64_t ReadTsc() { return TscSeam::Call(); }

}  // namespace platform
