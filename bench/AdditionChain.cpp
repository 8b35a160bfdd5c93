#include "bench/AdditionChain.h"

namespace bench {

#if defined(__x86_64__)

// Sixty-four dependent additions and the loop's two instructions, which run beside the chain on
// another unit: 66 instructions per round. The 1 comes in a register: some renamers fold an added
// immediate into the register's name, which would let a chain of them run faster than the clock.
uint64_t AddChain(uint64_t value, uint64_t rounds)
{
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        ".rept 64\n\t"
        "add %[one], %[v]\n\t"
        ".endr\n\t"
        "dec %[n]\n\t"
        "jnz 1b"
        : [v] "+r"(value), [n] "+r"(rounds)
        : [one] "r"(uint64_t{1})
        : "cc");
    return value;
}

#else

// Elsewhere: the compiler may not fold additions through an empty assembly statement it cannot see into.
uint64_t AddChain(uint64_t value, uint64_t rounds)
{
    for (uint64_t n = rounds * kChainAdditionsPerRound; n != 0; --n) {
        value += 1;
        asm volatile("" : "+r"(value));
    }
    return value;
}

#endif

}  // namespace bench
