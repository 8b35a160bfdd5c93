#pragma once
// A failed check ends the run, so that libFuzzer keeps the input that broke it.
#include <cstdlib>

inline void Require(bool condition)
{
    if (!condition) std::abort();
}
