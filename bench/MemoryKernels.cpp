#include "bench/MemoryKernels.h"

#include <cstring>

#include "bench/KernelSupport.h"

namespace bench {

namespace memkernels {

#if defined(__x86_64__)

// Sixteen dependent loads and the loop's two instructions: 1.125 instructions per load.
const void* ChaseLoads(const void* start, uint64_t rounds)
{
    const void* p = start;
#define VEXT_CHASE4 "mov (%[p]), %[p]\n\tmov (%[p]), %[p]\n\tmov (%[p]), %[p]\n\tmov (%[p]), %[p]\n\t"
    asm volatile(
        ".p2align 6\n"
        "1:\n\t" VEXT_CHASE4 VEXT_CHASE4 VEXT_CHASE4 VEXT_CHASE4
        "dec %[n]\n\t"
        "jnz 1b"
        : [p] "+r"(p), [n] "+r"(rounds)
        :
        : "memory", "cc");
#undef VEXT_CHASE4
    return p;
}

namespace {

// Four aligned vector moves per step, then the pointer step and the loop test. The target attributes
// let the assembler take each function's instructions without building the whole program for them;
// the caller picks a function only when the processor and the operating system allow it.

__attribute__((target("sse2"))) void ReadSse2(const uint8_t* p, const uint8_t* end)
{
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        "movdqa (%[p]), %%xmm0\n\tmovdqa 16(%[p]), %%xmm1\n\tmovdqa 32(%[p]), %%xmm2\n\tmovdqa 48(%[p]), %%xmm3\n\t"
        "add $64, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b"
        : [p] "+r"(p)
        : [end] "r"(end)
        : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

__attribute__((target("avx2"))) void ReadAvx2(const uint8_t* p, const uint8_t* end)
{
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        "vmovdqa (%[p]), %%ymm0\n\tvmovdqa 32(%[p]), %%ymm1\n\tvmovdqa 64(%[p]), %%ymm2\n\tvmovdqa 96(%[p]), %%ymm3\n\t"
        "add $128, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b\n\t"
        "vzeroupper"
        : [p] "+r"(p)
        : [end] "r"(end)
        : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

__attribute__((target("avx512f"))) void ReadAvx512(const uint8_t* p, const uint8_t* end)
{
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        "vmovdqa64 (%[p]), %%zmm0\n\tvmovdqa64 64(%[p]), %%zmm1\n\t"
        "vmovdqa64 128(%[p]), %%zmm2\n\tvmovdqa64 192(%[p]), %%zmm3\n\t"
        "add $256, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b\n\t"
        "vzeroupper"
        : [p] "+r"(p)
        : [end] "r"(end)
        : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

__attribute__((target("sse2"))) void WriteSse2(uint8_t* p, const uint8_t* end, uint64_t pattern)
{
    asm volatile(
        "movq %[v], %%xmm0\n\t"
        "punpcklqdq %%xmm0, %%xmm0\n\t"
        ".p2align 6\n"
        "1:\n\t"
        "movdqa %%xmm0, (%[p])\n\tmovdqa %%xmm0, 16(%[p])\n\tmovdqa %%xmm0, 32(%[p])\n\tmovdqa %%xmm0, 48(%[p])\n\t"
        "add $64, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b"
        : [p] "+r"(p)
        : [end] "r"(end), [v] "r"(pattern)
        : "memory", "cc", "xmm0");
}

__attribute__((target("avx2"))) void WriteAvx2(uint8_t* p, const uint8_t* end, uint64_t pattern)
{
    asm volatile(
        "vmovq %[v], %%xmm0\n\t"
        "vpbroadcastq %%xmm0, %%ymm0\n\t"
        ".p2align 6\n"
        "1:\n\t"
        "vmovdqa %%ymm0, (%[p])\n\tvmovdqa %%ymm0, 32(%[p])\n\tvmovdqa %%ymm0, 64(%[p])\n\tvmovdqa %%ymm0, 96(%[p])\n\t"
        "add $128, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b\n\t"
        "vzeroupper"
        : [p] "+r"(p)
        : [end] "r"(end), [v] "r"(pattern)
        : "memory", "cc", "xmm0");
}

__attribute__((target("avx512f"))) void WriteAvx512(uint8_t* p, const uint8_t* end, uint64_t pattern)
{
    asm volatile(
        "vpbroadcastq %[v], %%zmm0\n\t"
        ".p2align 6\n"
        "1:\n\t"
        "vmovdqa64 %%zmm0, (%[p])\n\tvmovdqa64 %%zmm0, 64(%[p])\n\t"
        "vmovdqa64 %%zmm0, 128(%[p])\n\tvmovdqa64 %%zmm0, 192(%[p])\n\t"
        "add $256, %[p]\n\t"
        "cmp %[end], %[p]\n\t"
        "jb 1b\n\t"
        "vzeroupper"
        : [p] "+r"(p)
        : [end] "r"(end), [v] "r"(pattern)
        : "memory", "cc", "xmm0");
}

}  // namespace

void ReadPass(VectorWidth width, const uint8_t* block, size_t bytes)
{
    // The loops test their end after each whole step, the first included.
    if (bytes < StepBytes(width)) return;
    const uint8_t* end = block + bytes / StepBytes(width) * StepBytes(width);
    switch (width) {
    case VectorWidth::Avx512: return ReadAvx512(block, end);
    case VectorWidth::Avx2: return ReadAvx2(block, end);
    case VectorWidth::Sse2: return ReadSse2(block, end);
    }
}

void WritePass(VectorWidth width, uint8_t* block, size_t bytes, uint8_t pattern)
{
    if (bytes < StepBytes(width)) return;
    const uint8_t* end = block + bytes / StepBytes(width) * StepBytes(width);
    const uint64_t word = 0x0101010101010101ull * pattern;
    switch (width) {
    case VectorWidth::Avx512: return WriteAvx512(block, end, word);
    case VectorWidth::Avx2: return WriteAvx2(block, end, word);
    case VectorWidth::Sse2: return WriteSse2(block, end, word);
    }
}

#else

// Elsewhere: volatile accesses of 64 bits, the same order and bytes.
const void* ChaseLoads(const void* start, uint64_t rounds)
{
    const void* p = start;
    for (uint64_t n = rounds * kChaseLoadsPerRound; n != 0; n = n - 1) p = *static_cast<const void* const volatile*>(p);
    return p;
}

void ReadPass(VectorWidth, const uint8_t* block, size_t bytes)
{
    for (size_t i = 0; i + 8 <= bytes; i += 8) (void)*reinterpret_cast<const volatile uint64_t*>(block + i);
}

void WritePass(VectorWidth, uint8_t* block, size_t bytes, uint8_t pattern)
{
    for (size_t i = 0; i + 8 <= bytes; i += 8)
        *reinterpret_cast<volatile uint64_t*>(block + i) = 0x0101010101010101ull * pattern;
}

#endif

void CopyPass(uint8_t* destination, const uint8_t* source, size_t bytes)
{
    // A copy into memory nobody reads afterwards is still made: the optimiser does not see the target.
    bench::HideFromOptimiser(destination);
    std::memcpy(destination, source, bytes);
}

}  // namespace memkernels

}  // namespace bench
