#pragma once

namespace bench {

// What every timed kernel needs to keep the build from shortening its work.

// A real, separate call: GCC's noipa keeps both the call and the object pointer (plain noinline let
// it delete calls to empty functions or clone them without `this`); clang does not know noipa but
// keeps noinline calls.
#if defined(__clang__)
#define VEXT_OUT_OF_LINE __attribute__((noinline))
#else
#define VEXT_OUT_OF_LINE __attribute__((noipa))
#endif

// Makes a pointer's value unknown to the optimiser, so that string routines on constant text are
// really called instead of being folded into moves or constants. Emits no instruction.
template <typename T>
inline void HideFromOptimiser(T*& pointer)
{
    asm volatile("" : "+r"(pointer));
}

// The observer the program runs its kernels with: it sees nothing and compiles to nothing. Tests
// instantiate the same loops with observers that record the final state or count inner steps.
// Final values are passed as references so that nothing is read when nobody looks.
struct NoProbe {
    template <typename... T>
    void Final(T&...)
    {
    }
    void InnerStep() {}
    void Exchange() {}
    template <typename... T>
    void OuterEnd(T&...)
    {
    }
    // A branch that a correct run never takes.
    void RareBranch() {}
};

}  // namespace bench
