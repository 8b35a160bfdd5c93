#pragma once
// Fresh anonymous memory for the memory benchmarks, mapped apart from the heap so that every block
// starts on a page boundary and can be given to transparent huge pages.
#include <cstddef>
#include <cstdint>

namespace platform {

struct Machine;

// Maps `length` bytes of zeroed anonymous memory; nullptr when the system refuses. A test refuses the
// blocks it chooses with ScopedMemoryMap.
void* LiveMemoryMap(size_t length);

// Blocks of at least this size are aligned to it and offered to transparent huge pages.
inline constexpr size_t kHugePageBytes = size_t{2} << 20;

class CMemoryBlock {
public:
    CMemoryBlock() = default;
    // Maps `bytes` of zeroed memory (machine.mapMemory); with hugePages, a block of kHugePageBytes or more is aligned to
    // them and marked with MADV_HUGEPAGE (the kernel decides, by its transparent huge page setting).
    // Empty when the system refuses.
    CMemoryBlock(const Machine& machine, size_t bytes, bool hugePages);
    ~CMemoryBlock();
    CMemoryBlock(CMemoryBlock&& other) noexcept;
    CMemoryBlock& operator=(CMemoryBlock&& other) noexcept;
    CMemoryBlock(const CMemoryBlock&) = delete;
    CMemoryBlock& operator=(const CMemoryBlock&) = delete;

    uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    void Release();
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t mapped_ = 0;  // what is unmapped at the end
};

}  // namespace platform
