#pragma once
// CPUID leaves read only within the highest leaves the processor states, standard, extended (0x8000xxxx)
// and Centaur's (0xC000xxxx): recorded dumps may hold leaves above them, which a real processor would
// answer with something else.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cpu/ModernProcessor.h"
#include "platform/Cpuid.h"
#include "platform/Machine.h"

namespace cpu {

class CModernLeaves {
public:
    // Keeps the machine, which must outlive it.
    explicit CModernLeaves(const platform::Machine& machine);
    std::optional<platform::CpuidRegs> Read(uint32_t leaf, uint32_t subleaf = 0) const;
    const std::string& Vendor() const { return vendor_; }

private:
    const platform::Machine& machine_;
    uint32_t maxStandard_ = 0;
    uint32_t maxExtended_ = 0;
    uint32_t maxCentaur_ = 0;
    std::string vendor_;
};

// The 12 bytes of three registers, cut at the first NUL.
std::string RegisterText(uint32_t a, uint32_t b, uint32_t c);

std::vector<CacheLevel> DecodeCaches(const CModernLeaves& leaves, std::optional<uint32_t> family,
                                     std::optional<uint32_t> model);
CpuidTopology DecodeTopology(const CModernLeaves& leaves);
std::vector<std::string> DecodeFeatures(const CModernLeaves& leaves, std::optional<uint32_t> family);

}  // namespace cpu
