#include "cpu/NameTable.h"
#include "cpu/Processor.h"

namespace cpu {

using cpu_detail::kAnyCode;
using cpu_detail::ModelName;

namespace {

constexpr ModelName kCyrixNames[] = {
    {4, 4, "Cyrix MediaGX"},
    {4, kAnyCode, "Cyrix 5x86"},
    {5, 4, "Cyrix MediaGxm"},
    {5, kAnyCode, "Cyrix 6x86"},
    {6, 0, "Cyrix 6x86MX or M II"},
    {6, 5, "VIA Cyrix III"},
    {6, kAnyCode, "Unknown Cyrix (Cyrix III?)"},
    {kAnyCode, kAnyCode, "Unknown Cyrix (Cyrix III?)"},
};

}  // namespace

std::string CCyrixProcessor::GetName()
{
    CpuSignature sig;
    GetFamilyModelStepping(machine, vendor, sig);
    return cpu_detail::FindModelName(kCyrixNames, sig.family, sig.model);
}

}  // namespace cpu
