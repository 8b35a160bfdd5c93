// Feature bits by the names /proc/cpuinfo gives them; "" where it shows none. The registers are taken
// in the order the kernel lists them, so a live list reads in the same order as /proc/cpuinfo.
#include <array>

#include "cpu/ModernLeaves.h"

namespace cpu {

namespace {

using Names = std::array<const char*, 32>;

constexpr Names kLeaf1Edx = {"fpu", "vme", "de", "pse", "tsc", "msr", "pae", "mce", "cx8", "apic", "", "sep",
                             "mtrr", "pge", "mca", "cmov", "pat", "pse36", "pn", "clflush", "", "dts", "acpi",
                             "mmx", "fxsr", "sse", "sse2", "ss", "ht", "tm", "ia64", "pbe"};
// The bits that repeat leaf 1 EDX have no name of their own.
constexpr Names kExt1Edx = {"", "", "", "", "", "", "", "", "", "", "", "syscall", "", "", "", "", "", "", "",
                            "mp", "nx", "", "mmxext", "", "", "fxsr_opt", "pdpe1gb", "rdtscp", "", "lm",
                            "3dnowext", "3dnow"};
constexpr Names kLeaf1Ecx = {"pni", "pclmulqdq", "dtes64", "monitor", "ds_cpl", "vmx", "smx", "est", "tm2",
                             "ssse3", "cid", "sdbg", "fma", "cx16", "xtpr", "pdcm", "", "pcid", "dca", "sse4_1",
                             "sse4_2", "x2apic", "movbe", "popcnt", "tsc_deadline_timer", "aes", "xsave", "",
                             "avx", "f16c", "rdrand", "hypervisor"};
constexpr Names kExt1Ecx = {"lahf_lm", "cmp_legacy", "svm", "extapic", "cr8_legacy", "abm", "sse4a",
                            "misalignsse", "3dnowprefetch", "osvw", "ibs", "xop", "skinit", "wdt", "", "lwp",
                            "fma4", "tce", "", "nodeid_msr", "", "tbm", "topoext", "perfctr_core", "perfctr_nb",
                            "", "bpext", "ptsc", "perfctr_llc", "mwaitx", "", ""};
constexpr Names kLeaf7Ebx = {"fsgsbase", "tsc_adjust", "sgx", "bmi1", "hle", "avx2", "", "smep", "bmi2", "erms",
                             "invpcid", "rtm", "cqm", "", "mpx", "rdt_a", "avx512f", "avx512dq", "rdseed", "adx",
                             "smap", "avx512ifma", "", "clflushopt", "clwb", "intel_pt", "avx512pf", "avx512er",
                             "avx512cd", "sha_ni", "avx512bw", "avx512vl"};
constexpr Names kLeaf7Ecx = {"", "avx512vbmi", "umip", "pku", "ospke", "waitpkg", "avx512_vbmi2", "", "gfni",
                             "vaes", "vpclmulqdq", "avx512_vnni", "avx512_bitalg", "tme", "avx512_vpopcntdq", "",
                             "la57", "", "", "", "", "", "rdpid", "", "bus_lock_detect", "cldemote", "", "movdiri",
                             "movdir64b", "enqcmd", "sgx_lc", ""};
constexpr Names kLeaf7Edx = {"", "", "avx512_4vnniw", "avx512_4fmaps", "fsrm", "", "", "", "avx512_vp2intersect",
                             "", "md_clear", "", "", "", "serialize", "", "tsxldtrk", "", "pconfig", "arch_lbr",
                             "ibt", "", "amx_bf16", "avx512_fp16", "amx_tile", "amx_int8", "", "", "flush_l1d",
                             "arch_capabilities", "", ""};

void AddSetBits(std::vector<std::string>& features, uint32_t bits, const Names& names)
{
    for (int bit = 0; bit < 32; ++bit)
        if ((bits >> bit) & 1 && *names[bit]) features.emplace_back(names[bit]);
}

}  // namespace

std::vector<std::string> DecodeFeatures(const ModernLeaves& leaves)
{
    std::vector<std::string> features;
    const auto one = leaves.Read(1);
    const auto ext = leaves.Read(0x80000001);
    const auto seven = leaves.Read(7, 0);
    if (one) AddSetBits(features, one->edx, kLeaf1Edx);
    if (ext) AddSetBits(features, ext->edx, kExt1Edx);
    if (one) AddSetBits(features, one->ecx, kLeaf1Ecx);
    if (ext) AddSetBits(features, ext->ecx, kExt1Ecx);
    if (seven) {
        AddSetBits(features, seven->ebx, kLeaf7Ebx);
        AddSetBits(features, seven->ecx, kLeaf7Ecx);
        AddSetBits(features, seven->edx, kLeaf7Edx);
    }
    return features;
}

}  // namespace cpu
