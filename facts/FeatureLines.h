#pragma once

namespace facts {

// The feature lines that the processor report writes and the Processor Information page lists.

// The CPUID bit a line tests, its label, and the blanks the report puts between label and value to
// line the values up.
struct FeatureLine {
    int bit;
    const char* label;
    int blanks;
};

// The 28 reported bits of the standard feature word (CPUID 1 EDX), in report order. The labels are
// also the rows of the page's list. The blanks bring the values to column 36, except the long
// Fast Floating Point label, whose value stands at column 43.
inline constexpr FeatureLine kStandardFeatureLines[] = {
    {0, "   FPU on-chip :", 16},
    {1, "   Virtual Mode Extension :", 5},
    {2, "   Debugging Extension :", 8},
    {3, "   Page Size Extension :", 8},
    {4, "   Time Stamp Counter  :", 8},
    {5, "   Model Specific Registers :", 3},
    {6, "   Physical Address Extension :", 1},
    {7, "   Machine Check Exception :", 4},
    {8, "   CMPXCHG8 Instruction : ", 6},
    {9, "   On-chip APIC hardware :", 6},
    {11, "   Fast System Call :", 11},
    {12, "   Memory Type Registers :", 6},
    {13, "   Global Paging Extension :", 4},
    {14, "   Machine Check Architecture :", 1},
    {15, "   CMOV Instruction :", 11},
    {16, "   Page Attribute Table :", 7},
    {17, "   36-bit Page Size Extension :", 1},
    {18, "   Processor serial number :", 4},
    {19, "   CLFLUSH Instruction :", 8},
    {21, "   Debug Trace Store :", 10},
    {22, "   ACPI Power Management :", 6},
    {23, "   Intel MMX Extension :", 8},
    {24, "   Fast Floating Point save/restore :", 2},
    {25, "   Streaming SIMD Extension :", 3},
    {26, "   Streaming SIMD Extension 2 :", 1},
    {27, "   Self-Snoop  :", 16},
    {29, "   Thermal Monitor :", 12},
    {30, "   IA-64 Extension :", 12},
};

// The 3 reported bits of the AMD feature word (CPUID 0x80000001 EDX). Their values stand at column 42.
inline constexpr FeatureLine kExtendedFeatureLines[] = {
    {22, "   AMD MMX Extension : ", 15},
    {31, "   AMD 3DNow! Instructions :", 10},
    {30, "   AMD 3DNow! Extended Instructions :", 1},
};

}  // namespace facts
