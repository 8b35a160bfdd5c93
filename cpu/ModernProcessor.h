#pragma once
// The processor as today's CPUID leaves describe it, decoded by the rules current operating systems
// apply to every vendor. Independent of the processor classes, which keep the identification of their
// own time. Everything goes through the machine's cpuid, so a recorded dump can stand in for the processor.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Machine.h"

namespace cpu {

enum class CacheType { Data, Instruction, Unified };

// "data", "instruction" or "unified".
const char* CacheTypeName(CacheType type);

struct CacheLevel {
    uint32_t level = 0;
    CacheType type = CacheType::Unified;
    uint64_t sizeBytes = 0;
    uint32_t lineBytes = 0;
    std::optional<uint32_t> ways;  // 0: fully associative; empty: the processor does not say
    std::optional<uint64_t> sets;
    std::optional<uint32_t> sharedBy = std::nullopt;  // logical processors; empty: the source does not say
    bool operator==(const CacheLevel&) const = default;
};

// The processor's place as the CPUID of the logical processor that answers tells it.
struct CpuidTopology {
    std::optional<uint32_t> threadsPerCore;
    std::optional<uint32_t> coresPerPackage;  // empty on a hybrid processor, whose cores differ
    std::optional<uint32_t> logicalPerPackage;
    bool hybrid = false;                      // cores of more than one type (leaf 7)
    std::optional<uint32_t> coreType;         // leaf 0x1A: 0x20 efficiency, 0x40 performance
};

struct ModernProcessor {
    std::string vendor;
    std::optional<std::string> brand;  // blanks trimmed; empty when the processor has none
    std::optional<uint32_t> family, model, stepping;
    std::optional<std::string> hypervisor;  // only when the processor says it runs under one
    std::vector<CacheLevel> caches;          // by level, then data, instruction, unified
    std::vector<std::string> features;       // in the order /proc/cpuinfo lists them
    std::optional<double> tscMHz;
    std::optional<uint32_t> baseMHz, maxMHz;
    CpuidTopology topology;
};

ModernProcessor DecodeModernProcessor(const platform::Machine& machine);

// The size of the largest cache of this processor: from CPUID, else from the kernel's description.
std::optional<uint64_t> LargestCacheBytes(const platform::Machine& machine);

}  // namespace cpu
