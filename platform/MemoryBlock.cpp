#include "platform/MemoryBlock.h"

#include <sys/mman.h>

#include <cstdint>
#include <utility>

#include "platform/Machine.h"

namespace platform {

void* LiveMemoryMap(size_t length)
{
    void* start = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return start == MAP_FAILED ? nullptr : start;
}

CMemoryBlock::CMemoryBlock(const Machine& machine, size_t bytes, bool hugePages)
{
    if (bytes == 0) return;
    const bool huge = hugePages && bytes >= kHugePageBytes;
    // A huge page needs an aligned start: map one huge page more and give back what lies around it.
    const size_t length = huge ? (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes : bytes;
    const size_t mapped = huge ? length + kHugePageBytes : length;
    void* start = machine.mapMemory(mapped);
    if (start == nullptr) return;
    auto* base = static_cast<uint8_t*>(start);
    uint8_t* aligned = base;
    if (huge) {
        const auto address = reinterpret_cast<uintptr_t>(base);
        aligned = base + ((kHugePageBytes - address % kHugePageBytes) % kHugePageBytes);
        if (aligned > base) ::munmap(base, static_cast<size_t>(aligned - base));
        const size_t after = mapped - static_cast<size_t>(aligned - base) - length;
        if (after > 0) ::munmap(aligned + length, after);
        // Advice only: a kernel without transparent huge pages keeps small ones.
        ::madvise(aligned, length, MADV_HUGEPAGE);
    }
    data_ = aligned;
    size_ = bytes;
    mapped_ = length;
}

CMemoryBlock::~CMemoryBlock() { Release(); }

CMemoryBlock::CMemoryBlock(CMemoryBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0))
{
}

CMemoryBlock& CMemoryBlock::operator=(CMemoryBlock&& other) noexcept
{
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
    }
    return *this;
}

void CMemoryBlock::Release()
{
    if (data_ != nullptr) ::munmap(data_, mapped_);
    data_ = nullptr;
    size_ = mapped_ = 0;
}

}  // namespace platform
