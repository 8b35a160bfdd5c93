#include "bench/Dhrystone.h"

#include <limits>
#include <new>

namespace bench {

template uint32_t CDhrystone::RunPasses<bench::NoProbe>(uint32_t, bench::NoProbe&);

uint32_t CDhrystone::RunDhrystone()
{
    bench::NoProbe unobserved;
    return RunPasses(kPasses, unobserved);
}

uint32_t CDhrystone::Rating(double benchTime, double mainSeconds, uint32_t passes)
{
    const double seconds = benchTime > 0 ? benchTime : mainSeconds;
    if (!(seconds > 0)) return 0;
    const double rating = static_cast<double>(passes) / seconds / 1000.0;
    // A nanosecond-short time would otherwise overflow the conversion.
    constexpr double kLargest = static_cast<double>(std::numeric_limits<uint32_t>::max());
    return rating >= kLargest ? std::numeric_limits<uint32_t>::max() : static_cast<uint32_t>(rating);
}

std::unique_ptr<CDhrystone::Record> CDhrystone::AllocateRecord()
{
    return std::unique_ptr<Record>(new (std::nothrow) Record{});
}

void CDhrystone::Proc1(Record* PtrParIn)
{
    Record& NextRecord = *PtrParIn->PtrComp;
    NextRecord = *PtrGlb;
    PtrParIn->IntComp = 5;
    NextRecord.IntComp = PtrParIn->IntComp;
    NextRecord.PtrComp = PtrParIn->PtrComp;
    // The link itself goes to Proc3, not its address: Proc3 writes into the first field (PtrComp)
    // of the record the link points to.
    Proc3(&NextRecord.PtrComp->PtrComp);
    if (NextRecord.Discr == Ident1) {
        NextRecord.IntComp = 6;
        Proc6(PtrParIn->EnumComp, &NextRecord.EnumComp);
        NextRecord.PtrComp = PtrGlb->PtrComp;
        Proc7(NextRecord.IntComp, 10, &NextRecord.IntComp);
    } else {
        *PtrParIn = NextRecord;
    }
}

void CDhrystone::Proc2(volatile int32_t* IntParIO)
{
    volatile int32_t IntLoc = *IntParIO + 10;
    // Not Ident1 until the character test has run; Char1Glob is always 'A' here.
    volatile Enumeration EnumLoc = Ident2;
    for (;;) {
        if (Char1Glob == 'A') {
            IntLoc = IntLoc - 1;
            *IntParIO = IntLoc - IntGlob;
            EnumLoc = Ident1;
        }
        if (EnumLoc == Ident1) break;
    }
}

void CDhrystone::Proc3(Record** PtrParOut)
{
    if (PtrGlb != nullptr)
        *PtrParOut = PtrGlb->PtrComp;
    else
        IntGlob = 100;
    Proc7(10, IntGlob, &PtrGlb->IntComp);
}

void CDhrystone::Proc4()
{
    volatile bool BoolLoc = Char1Glob == 'A';
    BoolLoc = BoolLoc || BoolGlob;
    Char2Glob = 'B';
}

void CDhrystone::Proc5()
{
    Char1Glob = 'A';
    BoolGlob = false;
}

void CDhrystone::Proc6(Enumeration EnumParIn, volatile Enumeration* EnumParOut)
{
    *EnumParOut = EnumParIn;
    if (!Func3(EnumParIn)) *EnumParOut = Ident4;
    switch (EnumParIn) {
    case Ident1:
        *EnumParOut = Ident1;
        break;
    case Ident2:
        if (IntGlob > 100)
            *EnumParOut = Ident1;
        else
            *EnumParOut = Ident4;
        break;
    case Ident3:
        *EnumParOut = Ident2;
        break;
    case Ident4:
        break;
    case Ident5:
        *EnumParOut = Ident3;
        break;
    }
}

void CDhrystone::Proc7(int32_t IntParI1, int32_t IntParI2, volatile int32_t* IntParOut)
{
    volatile int32_t IntLoc = IntParI1 + 2;
    *IntParOut = IntParI2 + IntLoc;
}

void CDhrystone::Proc8(volatile int32_t* Array1Par, volatile int32_t (*Array2Par)[51], int32_t IntParI1,
                       int32_t IntParI2)
{
    volatile int32_t IntLoc = IntParI1 + 5;
    Array1Par[IntLoc] = IntParI2;
    Array1Par[IntLoc + 1] = Array1Par[IntLoc];
    Array1Par[IntLoc + 30] = IntLoc;
    volatile int32_t IntIndex = IntLoc;
    while (IntIndex <= IntLoc + 1) {
        Array2Par[IntLoc][IntIndex] = IntLoc;
        IntIndex = IntIndex + 1;
    }
    Array2Par[IntLoc][IntLoc - 1] = Array2Par[IntLoc][IntLoc - 1] + 1;
    Array2Par[IntLoc + 20][IntLoc] = Array1Par[IntLoc];
    IntGlob = 5;
}

CDhrystone::Enumeration CDhrystone::Func1(char CharPar1, char CharPar2)
{
    volatile char CharLoc1 = CharPar1;
    volatile char CharLoc2 = CharLoc1;
    if (CharLoc2 != CharPar2)
        return Ident1;
    else
        return Ident2;
}

bool CDhrystone::Func2(const char* StrParI1, const char* StrParI2)
{
    volatile int32_t IntLoc = 1;
    volatile char CharLoc = 0;
    while (IntLoc <= 1) {
        if (Func1(StrParI1[IntLoc], StrParI2[IntLoc + 1]) == Ident1) {
            CharLoc = 'A';
            IntLoc = IntLoc + 1;
        }
    }
    if (CharLoc >= 'W' && CharLoc <= 'Z') IntLoc = 7;
    if (CharLoc == 'X') {
        return true;
    } else {
        if (std::strcmp(StrParI1, StrParI2) > 0) {
            IntLoc = IntLoc + 7;
            return true;
        } else {
            return false;
        }
    }
}

bool CDhrystone::Func3(Enumeration EnumParIn)
{
    volatile Enumeration EnumLoc = EnumParIn;
    if (EnumLoc == Ident3) return true;
    return false;
}

}  // namespace bench
