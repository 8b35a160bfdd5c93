#pragma once
// The Dhrystone synthetic integer benchmark in its version 1.1 form (main loop, Proc1, Func2 and
// the step after the character loop as that version has them), 5,000,000 passes, timed with the
// monotonic clock and corrected by the time of an empty loop of the same length.
#include <cstdint>
#include <cstring>
#include <memory>

#include "bench/BenchFailure.h"
#include "bench/KernelSupport.h"
#include "platform/Machine.h"

namespace bench {

class CDhrystone {
public:
    static constexpr uint32_t kPasses = 5'000'000;

    enum Enumeration : int32_t { Ident1 = 0, Ident2 = 1, Ident3 = 2, Ident4 = 3, Ident5 = 4 };

    struct Record {
        Record* PtrComp;
        Enumeration Discr;
        Enumeration EnumComp;
        int32_t IntComp;
        char StringComp[31];
    };

    // Times with the machine's monotonic clock; the machine outlives the object.
    explicit CDhrystone(const platform::Machine& machine) : machine_(machine) {}
    virtual ~CDhrystone() = default;

    // Thousands of passes per second.
    uint32_t RunDhrystone();

    // The benchmark with its pass count as an argument: RunDhrystone runs it with kPasses, tests with
    // a few. The probe sees the state at the end of every pass (it compiles to nothing in the program).
    template <typename Probe>
    VEXT_OUT_OF_LINE uint32_t RunPasses(uint32_t passes, Probe& probe);

    // Thousands of passes per second, truncated, for a main loop of mainSeconds whose empty loop took
    // benchTime less. A benchTime of 0 or less (the empty loop took as long) rates the main loop
    // alone; if that is 0 or less too, the rating is 0. Saturates at the largest unsigned 32-bit value.
    static uint32_t Rating(double benchTime, double mainSeconds, uint32_t passes = kPasses);

    // The main loop's seconds in the last run (the precise mode sizes its passes by it).
    double LastMainLoopSeconds() const { return lastMainSeconds_; }
    // DhrystoneMemory when the last run could not allocate its records (and rated 0), for its runner
    // to report.
    BenchFailure Failure() const { return failure_; }

protected:
    // One record; null when memory is exhausted.
    virtual std::unique_ptr<Record> AllocateRecord();

    VEXT_OUT_OF_LINE void Proc1(Record* PtrParIn);
    VEXT_OUT_OF_LINE void Proc2(volatile int32_t* IntParIO);
    VEXT_OUT_OF_LINE void Proc3(Record** PtrParOut);
    VEXT_OUT_OF_LINE void Proc4();
    VEXT_OUT_OF_LINE void Proc5();
    VEXT_OUT_OF_LINE void Proc6(Enumeration EnumParIn, volatile Enumeration* EnumParOut);
    VEXT_OUT_OF_LINE void Proc7(int32_t IntParI1, int32_t IntParI2, volatile int32_t* IntParOut);
    VEXT_OUT_OF_LINE void Proc8(volatile int32_t* Array1Par, volatile int32_t (*Array2Par)[51],
                                int32_t IntParI1, int32_t IntParI2);
    VEXT_OUT_OF_LINE Enumeration Func1(char CharPar1, char CharPar2);
    VEXT_OUT_OF_LINE bool Func2(const char* StrParI1, const char* StrParI2);
    VEXT_OUT_OF_LINE bool Func3(Enumeration EnumParIn);

    // What the benchmark keeps as globals, in memory on every access.
    volatile int32_t IntGlob = 0;
    volatile bool BoolGlob = false;
    volatile char Char1Glob = 0;
    volatile char Char2Glob = 0;
    volatile int32_t Array1Glob[51] = {};
    volatile int32_t Array2Glob[51][51] = {};
    Record* volatile PtrGlb = nullptr;
    Record* volatile PtrGlbNext = nullptr;

private:
    const platform::Machine& machine_;
    double lastMainSeconds_ = 0;
    BenchFailure failure_ = BenchFailure::None;
};

template <typename Probe>
uint32_t CDhrystone::RunPasses(uint32_t passes, Probe& probe)
{
    volatile int32_t IntLoc1;
    volatile int32_t IntLoc2;
    volatile int32_t IntLoc3;
    volatile char CharIndex;
    volatile Enumeration EnumLoc;
    char String1Loc[31];
    char String2Loc[31];
    volatile uint32_t i;

    double start = machine_.monotonicSeconds();
    i = 0;
    while (i < passes) i = i + 1;
    const double nullTime = machine_.monotonicSeconds() - start;

    std::unique_ptr<Record> next = AllocateRecord();
    std::unique_ptr<Record> global = next ? AllocateRecord() : nullptr;
    failure_ = next && global ? BenchFailure::None : BenchFailure::DhrystoneMemory;
    if (failure_ != BenchFailure::None) return 0;
    PtrGlbNext = next.get();
    PtrGlb = global.get();
    PtrGlb->PtrComp = PtrGlbNext;
    PtrGlb->Discr = Ident1;
    PtrGlb->EnumComp = Ident3;
    PtrGlb->IntComp = 40;
    std::strcpy(PtrGlb->StringComp, "DHRYSTONE PROGRAM, SOME STRING");
    std::strcpy(String1Loc, "DHRYSTONE PROGRAM, 1'ST STRING");
    Array2Glob[8][7] = 10;

    start = machine_.monotonicSeconds();
    i = 0;
    while (i < passes) {
        Proc5();
        Proc4();
        IntLoc1 = 2;
        IntLoc2 = 3;
        // Hidden from the optimiser, so that the copy stays a call of the string routine.
        const char* second = "DHRYSTONE PROGRAM, 2'ND STRING";
        bench::HideFromOptimiser(second);
        std::strcpy(String2Loc, second);
        EnumLoc = Ident2;
        BoolGlob = !Func2(String1Loc, String2Loc);
        while (IntLoc1 < IntLoc2) {
            IntLoc3 = 5 * IntLoc1 - IntLoc2;
            Proc7(IntLoc1, IntLoc2, &IntLoc3);
            IntLoc1 = IntLoc1 + 1;
        }
        Proc8(Array1Glob, Array2Glob, IntLoc1, IntLoc3);
        Proc1(PtrGlb);
        CharIndex = 'A';
        while (CharIndex <= Char2Glob) {
            if (EnumLoc == Func1(CharIndex, 'C')) {
                probe.RareBranch();
                Proc6(Ident1, &EnumLoc);
            }
            CharIndex = static_cast<char>(CharIndex + 1);
        }
        IntLoc3 = IntLoc2 * IntLoc1;
        IntLoc2 = IntLoc3 / IntLoc1;
        IntLoc2 = 7 * (IntLoc3 - IntLoc2) - IntLoc1;
        Proc2(&IntLoc1);
        probe.OuterEnd(IntLoc1, IntLoc2, IntLoc3, BoolGlob, IntGlob);
        i = i + 1;
    }
    const double mainTime = machine_.monotonicSeconds() - start;

    PtrGlb = nullptr;
    PtrGlbNext = nullptr;
    lastMainSeconds_ = mainTime;
    return Rating(mainTime - nullTime, mainTime, passes);
}

extern template uint32_t CDhrystone::RunPasses<bench::NoProbe>(uint32_t, bench::NoProbe&);

}  // namespace bench
