#pragma once
// One repetition of each cache access method over a block. The timed loop of TimeCacheKernel repeats
// these; they are inline so that nothing but the accesses and their loop runs between the two timer
// reads. On x86 they are literal instruction sequences (the compiler may neither merge, widen nor
// drop them); elsewhere volatile accesses of the same widths, order and counts.
#include <cstdint>

namespace bench {

// Inlined even in unoptimised builds, so that the timed loop never calls out.
#define CACHE_KERNEL_INLINE inline __attribute__((always_inline))

namespace cachekernels {

// Where a pass leaves its registers, so that a test can see how far it went.
struct PassEnd {
    uint8_t* source;
    uint8_t* destination;
    uintptr_t remaining;
};

// Volatile accesses: the portable form, and the reference the x86 forms are checked against.
struct VolatileAccess {
    static CACHE_KERNEL_INLINE uint32_t Load32(uint8_t* p) { return *reinterpret_cast<volatile uint32_t*>(p); }
    static CACHE_KERNEL_INLINE void Store32(uint8_t* p, uint32_t v) { *reinterpret_cast<volatile uint32_t*>(p) = v; }
    static CACHE_KERNEL_INLINE uint8_t Load8(uint8_t* p) { return *reinterpret_cast<volatile uint8_t*>(p); }
    static CACHE_KERNEL_INLINE void Store8(uint8_t* p, uint8_t v) { *reinterpret_cast<volatile uint8_t*>(p) = v; }
};

// A string move of `dwords` doublewords from the block onto itself, ascending.
template <typename Access = VolatileAccess>
CACHE_KERNEL_INLINE PassEnd PortableMovsdPass(uint8_t* block, uint32_t dwords, Access access = {})
{
    uint8_t* s = block;
    uint8_t* d = block;
    uintptr_t n = dwords;
    for (; n != 0; n = n - 1) {
        access.Store32(d, access.Load32(s));
        s = s + 4;
        d = d + 4;
    }
    return {s, d, n};
}

// For each of `count` units `step` bytes apart: a 32-bit load and a store of it back.
template <typename Access = VolatileAccess>
CACHE_KERNEL_INLINE PassEnd PortableMovPass(uint8_t* block, uint32_t count, Access access = {})
{
    uint8_t* p = block;
    uintptr_t n = count;
    for (; n != 0; n = n - 1) {
        uint32_t v = access.Load32(p);
        access.Store32(p, v);
        p = p + 4;
    }
    return {p, p, n};
}

// For each of `count` bytes `stride` bytes apart: an 8-bit load and a store of it back.
template <typename Access = VolatileAccess>
CACHE_KERNEL_INLINE PassEnd PortableSteppingMovPass(uint8_t* block, uint32_t count, uint32_t stride, Access access = {})
{
    uint8_t* p = block;
    uintptr_t n = count;
    for (; n != 0; n = n - 1) {
        uint8_t v = access.Load8(p);
        access.Store8(p, v);
        p = p + stride;
    }
    return {p, p, n};
}

#if defined(__x86_64__) || defined(__i386__)

CACHE_KERNEL_INLINE PassEnd MovsdPass(uint8_t* block, uint32_t dwords)
{
    uint8_t* s = block;
    uint8_t* d = block;
    uintptr_t n = dwords;
    asm volatile("rep movsl" : "+D"(d), "+S"(s), "+c"(n) : : "memory");
    return {s, d, n};
}

// count must be at least 1: the loop tests its counter after the first access.
CACHE_KERNEL_INLINE PassEnd MovPass(uint8_t* block, uint32_t count)
{
    uint8_t* p = block;
    uint32_t n = count;
    uint32_t v;
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        "movl (%[p]), %[v]\n\t"
        "movl %[v], (%[p])\n\t"
        "add $4, %[p]\n\t"
        "dec %[n]\n\t"
        "jnz 1b"
        : [p] "+S"(p), [n] "+c"(n), [v] "=&a"(v)
        :
        : "memory", "cc");
    return {p, p, n};
}

// count must be at least 1.
CACHE_KERNEL_INLINE PassEnd SteppingMovPass(uint8_t* block, uint32_t count, uint32_t stride)
{
    uint8_t* p = block;
    uint32_t n = count;
    uintptr_t step = stride;
    uint8_t v;
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        "movb (%[p]), %[v]\n\t"
        "movb %[v], (%[p])\n\t"
        "add %[step], %[p]\n\t"
        "dec %[n]\n\t"
        "jnz 1b"
        : [p] "+S"(p), [n] "+c"(n), [v] "=&a"(v)
        : [step] "r"(step)
        : "memory", "cc");
    return {p, p, n};
}

#else

CACHE_KERNEL_INLINE PassEnd MovsdPass(uint8_t* block, uint32_t dwords) { return PortableMovsdPass(block, dwords); }
CACHE_KERNEL_INLINE PassEnd MovPass(uint8_t* block, uint32_t count) { return PortableMovPass(block, count); }
CACHE_KERNEL_INLINE PassEnd SteppingMovPass(uint8_t* block, uint32_t count, uint32_t stride)
{
    return PortableSteppingMovPass(block, count, stride);
}

#endif

}  // namespace cachekernels

}  // namespace bench
