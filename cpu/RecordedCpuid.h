#pragma once
// A machine whose CPUID answers from a recorded dump: how a processor that is not this one is
// described (vext-cli --cpuid, the tests). Everything else is the machine's own.
#include <memory>
#include <utility>

#include "platform/CpuidDump.h"
#include "platform/Machine.h"

namespace cpu {

inline platform::Machine WithRecordedCpuid(platform::Machine machine, platform::CCpuidDump dump)
{
    auto recorded = std::make_shared<const platform::CCpuidDump>(std::move(dump));
    machine.cpuidRecorded = true;
    machine.cpuid = [recorded](uint32_t leaf, uint32_t subleaf) { return recorded->Query(leaf, subleaf); };
    return machine;
}

}  // namespace cpu
