#include "platform/Cpuid.h"

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#include <x86intrin.h>
#endif

namespace platform {

CpuidRegs LiveCpuid(uint32_t leaf, uint32_t subleaf)
{
    CpuidRegs r;
#if defined(__i386__) || defined(__x86_64__)
    // __cpuid_count, not __get_cpuid: the program asks every leaf it wants without a range check.
    __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
#else
    (void)leaf;
    (void)subleaf;
#endif
    return r;
}

uint64_t LiveTsc()
{
#if defined(__i386__) || defined(__x86_64__)
    return __rdtsc();
#else
    return 0;
#endif
}

uint64_t LiveXcr0()
{
#if defined(__i386__) || defined(__x86_64__)
    uint32_t low = 0;
    uint32_t high = 0;
    // By mnemonic rather than the intrinsic, which wants the build to enable XSAVE throughout.
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return (static_cast<uint64_t>(high) << 32) | low;
#else
    return 0;
#endif
}

}  // namespace platform
