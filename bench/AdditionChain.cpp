#include "bench/AdditionChain.h"

namespace bench {

#if defined(__x86_64__)

// Sixty-four dependent additions and the loop's two instructions, which run beside the chain on
// another unit: 66 instructions per round.
uint64_t AddChain(uint64_t value, uint64_t rounds)
{
    asm volatile(
        ".p2align 6\n"
        "1:\n\t"
        ".rept 64\n\t"
        "add $1, %[v]\n\t"
        ".endr\n\t"
        "dec %[n]\n\t"
        "jnz 1b"
        : [v] "+r"(value), [n] "+r"(rounds)
        :
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
