#pragma once
// Model names looked up by family and model, shared by the vendor variants.
#include <cstdint>
#include <span>

namespace cpu {

namespace cpu_detail {

constexpr int32_t kAnyCode = -1;

struct ModelName {
    int32_t family;  // kAnyCode matches every family
    int32_t model;   // kAnyCode matches every model
    const char* name;
};

// The first row that matches; the tables end with a row that matches everything.
inline const char* FindModelName(std::span<const ModelName> table, int32_t family, int32_t model)
{
    for (const ModelName& row : table) {
        if ((row.family == kAnyCode || row.family == family) && (row.model == kAnyCode || row.model == model))
            return row.name;
    }
    return nullptr;
}

template <typename Key, typename Value>
struct CodeEntry {
    Key code;
    Value value;
};

// The value of code in a table of (code, value) rows, or fallback.
template <typename Key, typename Value>
Value FindCode(std::span<const CodeEntry<Key, Value>> table, Key code, Value fallback)
{
    for (const auto& row : table)
        if (row.code == code) return row.value;
    return fallback;
}

constexpr uint32_t Bits(uint32_t value, int low, int high)
{
    return (value >> low) & ((high - low >= 31) ? 0xFFFFFFFFu : ((1u << (high - low + 1)) - 1u));
}

}  // namespace cpu_detail

}  // namespace cpu
