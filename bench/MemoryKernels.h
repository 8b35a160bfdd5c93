#pragma once
// The loops of the latency and bandwidth measurements. They are compiled with the other kernels (loops
// on 64-byte boundaries, no link-time optimisation), and on x86 they are literal instruction sequences
// that the compiler may neither drop, merge, widen nor narrow.
#include <cstddef>
#include <cstdint>

namespace bench {

namespace memkernels {

// Loads per round of the pointer chase.
inline constexpr uint64_t kChaseLoadsPerRound = 16;

// Follows the chain of pointers from `start` for `rounds` × kChaseLoadsPerRound loads, each load's
// address the value of the one before; returns where it stopped. rounds must be at least 1.
const void* ChaseLoads(const void* start, uint64_t rounds);

// The vector registers the bandwidth loops move data with, narrowest first.
enum class VectorWidth { Sse2, Avx2, Avx512 };
inline constexpr size_t VectorBytes(VectorWidth width)
{
    return width == VectorWidth::Avx512 ? 64 : width == VectorWidth::Avx2 ? 32 : 16;
}
// Every pass moves four vectors per step over a block aligned to a vector; bytes past the last whole
// step are left alone.
inline constexpr size_t StepBytes(VectorWidth width) { return 4 * VectorBytes(width); }

// Loads every vector of the block, ascending, discarding the values.
void ReadPass(VectorWidth width, const uint8_t* block, size_t bytes);
// Stores a vector of `pattern` bytes over the whole block, ascending, with ordinary (cached) stores.
void WritePass(VectorWidth width, uint8_t* block, size_t bytes, uint8_t pattern);
// The C library's memcpy of `bytes` from `source` to `destination`.
void CopyPass(uint8_t* destination, const uint8_t* source, size_t bytes);

}  // namespace memkernels

}  // namespace bench
