#pragma once
// The loops behind CCPUBench, with their bounds and the machine whose millisecond timer they read as
// arguments: the program runs them with the bounds of CCPUBench, the tests with small ones and fake
// clocks, so both run the very same machine code. Counters, operands and results are volatile locals:
// every iteration reads and writes them in the kernel's own frame, as the measured work requires.
// Each loop is timed by the two millisecond readings around it and nothing else; a probe sees the
// final state only after the second reading (and compiles to nothing in the program).
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "bench/CPUBench.h"
#include "bench/KernelSupport.h"
#include "platform/Clocks.h"
#include "platform/Machine.h"

namespace bench {

// The string kernel's text: seven four-letter words, 34 characters.
inline constexpr char kStringPattern[] = "Vext Vext Vext Vext Vext Vext Vext";
inline constexpr char kStringFormat[] = "%d %d";
inline constexpr std::size_t kStringBufferSize = 80;

template <typename Probe>
VEXT_OUT_OF_LINE uint32_t AdditionLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t result = 0;
    volatile uint32_t operand = 0;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        result = operand + i;
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, operand, result);
    return platform::ElapsedMs(start, end);
}

template <typename Probe>
VEXT_OUT_OF_LINE uint32_t SubtractionLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t result = 0;
    volatile uint32_t operand = 0x7FFFFFFF;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        result = operand - i;
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, operand, result);
    return platform::ElapsedMs(start, end);
}

template <typename Probe>
VEXT_OUT_OF_LINE uint32_t MultiplicationLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t result = 0;
    volatile uint32_t operand = 8;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    // Unsigned operands: the low 32 bits are those of the signed multiply.
    i = 0;
    while (i < bound) {
        result = operand * i;
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, operand, result);
    return platform::ElapsedMs(start, end);
}

// The counter starts at 1: the divisor is never 0.
template <typename Probe>
VEXT_OUT_OF_LINE uint32_t DivisionLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t result;
    volatile uint32_t operand = 0xFFFFFFFF;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 1;
    while (i < bound) {
        result = operand / i;
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, operand, result);
    return platform::ElapsedMs(start, end);
}

template <typename Probe>
VEXT_OUT_OF_LINE uint32_t MovLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t result;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        result = i;
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, result);
    return platform::ElapsedMs(start, end);
}

// Copy the pattern, append "i i", print "i i" over it, append the pattern again: after iteration i
// the buffer holds "i i" followed by the pattern (47 characters at most).
template <typename Probe>
VEXT_OUT_OF_LINE uint32_t StringLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    char buffer[kStringBufferSize];
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        // Without the hiding, GCC turns the copy of constant text into moves and the length into 34.
        char* text = buffer;
        const char* pattern = kStringPattern;
        HideFromOptimiser(text);
        HideFromOptimiser(pattern);
        std::strcpy(text, pattern);
        HideFromOptimiser(text);
        std::sprintf(text + std::strlen(text), kStringFormat, static_cast<int>(i), static_cast<int>(i));
        HideFromOptimiser(text);
        std::sprintf(text, kStringFormat, static_cast<int>(i), static_cast<int>(i));
        HideFromOptimiser(text);
        HideFromOptimiser(pattern);
        std::strcat(text, pattern);
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i, buffer);
    return platform::ElapsedMs(start, end);
}

// The call loops read the object pointer from the frame before each call and pass the counter,
// read once per parameter.
template <typename Target, typename Probe>
VEXT_OUT_OF_LINE uint32_t Call0Loop(const platform::Machine& machine, Target& target, uint32_t bound, Probe& probe)
{
    Target* volatile self = &target;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        self->Call0();
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

template <typename Target, typename Probe>
VEXT_OUT_OF_LINE uint32_t Call1Loop(const platform::Machine& machine, Target& target, uint32_t bound, Probe& probe)
{
    Target* volatile self = &target;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        self->Call1(static_cast<int32_t>(i));
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

template <typename Target, typename Probe>
VEXT_OUT_OF_LINE uint32_t Call2Loop(const platform::Machine& machine, Target& target, uint32_t bound, Probe& probe)
{
    Target* volatile self = &target;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        self->Call2(static_cast<int32_t>(i), static_cast<int32_t>(i));
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

template <typename Target, typename Probe>
VEXT_OUT_OF_LINE uint32_t Call3Loop(const platform::Machine& machine, Target& target, uint32_t bound, Probe& probe)
{
    Target* volatile self = &target;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        self->Call3(static_cast<int32_t>(i), static_cast<int32_t>(i), static_cast<int32_t>(i));
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

template <typename Target, typename Probe>
VEXT_OUT_OF_LINE uint32_t Call4Loop(const platform::Machine& machine, Target& target, uint32_t bound, Probe& probe)
{
    Target* volatile self = &target;
    volatile uint32_t i;
    const uint32_t start = machine.timeGetTime();
    i = 0;
    while (i < bound) {
        self->Call4(static_cast<int32_t>(i), static_cast<int32_t>(i), static_cast<int32_t>(i),
                    static_cast<int32_t>(i));
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

// For each n from 2 while n < bound, step the sequence n - 1 times; the wrapped values are of no
// interest, only the work.
template <typename Probe>
VEXT_OUT_OF_LINE uint32_t FibonacciLoop(const platform::Machine& machine, uint32_t bound, Probe& probe)
{
    volatile uint32_t n;
    volatile uint32_t k;
    volatile uint32_t next;
    volatile uint32_t previous;
    volatile uint32_t current;
    const uint32_t start = machine.timeGetTime();
    n = 2;
    while (n < bound) {
        next = 0;
        previous = 0;
        current = 1;
        k = 2;
        while (k <= n) {
            next = previous + current;
            previous = current;
            current = next;
            k = k + 1;
            probe.InnerStep();
        }
        n = n + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(n, k, next, previous, current);
    return platform::ElapsedMs(start, end);
}

// Greatest common divisor by subtraction of dividend / 2i and dividend / 4i, for i from 1 while
// i < bound.
template <typename Probe>
VEXT_OUT_OF_LINE uint32_t EuclidLoop(const platform::Machine& machine, uint32_t bound, uint32_t dividend, Probe& probe)
{
    volatile uint32_t i;
    volatile uint32_t x;
    volatile uint32_t y;
    volatile uint32_t temp;
    const uint32_t start = machine.timeGetTime();
    i = 1;
    while (i < bound) {
        x = dividend / (i << 1);
        y = dividend / (i << 2);
        while (x != y) {
            if (x < y) {
                temp = x;
                x = y;
                y = temp;
                probe.Exchange();
            }
            x = x - y;
            probe.InnerStep();
        }
        probe.OuterEnd(i, x, y);
        i = i + 1;
    }
    const uint32_t end = machine.timeGetTime();
    probe.Final(i);
    return platform::ElapsedMs(start, end);
}

// The program's own instances live in the library, compiled once.
extern template uint32_t AdditionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t SubtractionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t MultiplicationLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t DivisionLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t MovLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t StringLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t Call0Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
extern template uint32_t Call1Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
extern template uint32_t Call2Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
extern template uint32_t Call3Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
extern template uint32_t Call4Loop<CCPUBench, NoProbe>(const platform::Machine&, CCPUBench&, uint32_t, NoProbe&);
extern template uint32_t FibonacciLoop<NoProbe>(const platform::Machine&, uint32_t, NoProbe&);
extern template uint32_t EuclidLoop<NoProbe>(const platform::Machine&, uint32_t, uint32_t, NoProbe&);

}  // namespace bench
