// Feature bits by the names /proc/cpuinfo gives them; empty where it shows none. One table per register
// that the kernel keeps as a feature word, and the words in the kernel's order, so that a live list reads
// in the same order as /proc/cpuinfo. Flags the kernel makes up from other sources have no table here.
#include <array>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "cpu/ModernLeaves.h"

namespace cpu {

namespace {

using Names = std::array<std::string_view, 32>;

// For registers with few named bits: the named ones by their bit numbers.
constexpr Names Named(std::initializer_list<std::pair<int, std::string_view>> bits)
{
    Names names{};
    for (const auto& [bit, name] : bits) names[bit] = name;
    return names;
}

constexpr Names kLeaf1Edx = {"fpu", "vme", "de", "pse", "tsc", "msr", "pae", "mce", "cx8", "apic", "", "sep",
                             "mtrr", "pge", "mca", "cmov", "pat", "pse36", "pn", "clflush", "", "dts", "acpi",
                             "mmx", "fxsr", "sse", "sse2", "ss", "ht", "tm", "ia64", "pbe"};
// The bits that repeat leaf 1 EDX have no name of their own.
constexpr Names kExt1Edx = Named({{11, "syscall"}, {19, "mp"}, {20, "nx"}, {22, "mmxext"}, {25, "fxsr_opt"},
                                  {26, "pdpe1gb"}, {27, "rdtscp"}, {29, "lm"}, {30, "3dnowext"}, {31, "3dnow"}});
constexpr Names kLeaf1Ecx = {"pni", "pclmulqdq", "dtes64", "monitor", "ds_cpl", "vmx", "smx", "est", "tm2",
                             "ssse3", "cid", "sdbg", "fma", "cx16", "xtpr", "pdcm", "", "pcid", "dca", "sse4_1",
                             "sse4_2", "x2apic", "movbe", "popcnt", "tsc_deadline_timer", "aes", "xsave", "",
                             "avx", "f16c", "rdrand", "hypervisor"};
// The PadLock units of Centaur and Zhaoxin processors: present, and enabled.
constexpr Names kPadLockEdx = Named({{2, "rng"}, {3, "rng_en"}, {6, "ace"}, {7, "ace_en"}, {8, "ace2"},
                                     {9, "ace2_en"}, {10, "phe"}, {11, "phe_en"}, {12, "pmm"}, {13, "pmm_en"}});
constexpr Names kExt1Ecx = {"lahf_lm", "cmp_legacy", "svm", "extapic", "cr8_legacy", "abm", "sse4a",
                            "misalignsse", "3dnowprefetch", "osvw", "ibs", "xop", "skinit", "wdt", "", "lwp",
                            "fma4", "tce", "", "nodeid_msr", "", "tbm", "topoext", "perfctr_core", "perfctr_nb",
                            "", "bpext", "ptsc", "perfctr_llc", "mwaitx", "", ""};
constexpr Names kLeaf7Ebx = {"fsgsbase", "tsc_adjust", "sgx", "bmi1", "hle", "avx2", "", "smep", "bmi2", "erms",
                             "invpcid", "rtm", "cqm", "", "mpx", "rdt_a", "avx512f", "avx512dq", "rdseed", "adx",
                             "smap", "avx512ifma", "", "clflushopt", "clwb", "intel_pt", "avx512pf", "avx512er",
                             "avx512cd", "sha_ni", "avx512bw", "avx512vl"};
constexpr Names kXsaveEax = Named({{0, "xsaveopt"}, {1, "xsavec"}, {2, "xgetbv1"}, {3, "xsaves"}});
constexpr Names kLeaf7Sub1Eax = Named({{4, "avx_vnni"}, {5, "avx512_bf16"}, {17, "fred"}, {26, "lam"}});
constexpr Names kExt8Ebx = Named({{0, "clzero"}, {1, "irperf"}, {2, "xsaveerptr"}, {4, "rdpru"}, {9, "wbnoinvd"},
                                  {23, "amd_ppin"}, {25, "virt_ssbd"}, {27, "cppc"}, {31, "brs"}});
constexpr Names kPowerEax = Named({{0, "dtherm"}, {1, "ida"}, {2, "arat"}, {4, "pln"}, {6, "pts"}, {7, "hwp"},
                                   {8, "hwp_notify"}, {9, "hwp_act_window"}, {10, "hwp_epp"}, {11, "hwp_pkg_req"},
                                   {19, "hfi"}});
constexpr Names kSvmEdx = Named({{0, "npt"}, {1, "lbrv"}, {2, "svm_lock"}, {3, "nrip_save"}, {4, "tsc_scale"},
                                 {5, "vmcb_clean"}, {6, "flushbyasid"}, {7, "decodeassists"}, {10, "pausefilter"},
                                 {12, "pfthreshold"}, {13, "avic"}, {15, "v_vmsave_vmload"}, {16, "vgif"},
                                 {18, "x2avic"}, {20, "v_spec_ctrl"}, {25, "vnmi"}});
constexpr Names kLeaf7Ecx = {"", "avx512vbmi", "umip", "pku", "ospke", "waitpkg", "avx512_vbmi2", "", "gfni",
                             "vaes", "vpclmulqdq", "avx512_vnni", "avx512_bitalg", "tme", "avx512_vpopcntdq", "",
                             "la57", "", "", "", "", "", "rdpid", "", "bus_lock_detect", "cldemote", "", "movdiri",
                             "movdir64b", "enqcmd", "sgx_lc", ""};
constexpr Names kRasEbx = Named({{0, "overflow_recov"}, {1, "succor"}, {3, "smca"}});
constexpr Names kLeaf7Edx = Named({{2, "avx512_4vnniw"}, {3, "avx512_4fmaps"}, {4, "fsrm"},
                                   {8, "avx512_vp2intersect"}, {10, "md_clear"}, {14, "serialize"}, {16, "tsxldtrk"},
                                   {18, "pconfig"}, {19, "arch_lbr"}, {20, "ibt"}, {22, "amx_bf16"},
                                   {23, "avx512_fp16"}, {24, "amx_tile"}, {25, "amx_int8"}, {28, "flush_l1d"},
                                   {29, "arch_capabilities"}});
constexpr Names kEncryptionEax = Named({{0, "sme"}, {1, "sev"}, {3, "sev_es"}, {4, "sev_snp"}, {14, "debug_swap"},
                                        {28, "svsm"}});
// The kernel reads this word, but shows none of its bits.
constexpr Names kExt21Eax = Named({});

enum class Reg { Eax, Ebx, Ecx, Edx };

// When a word is read beyond its leaf being within the highest leaf.
enum class Gate {
    None,
    SubleafCount,  // subleaf 0 EAX states the highest subleaf
    PadLock,       // Centaur from family 6, and Zhaoxin: the WinChip's leaf 0xC0000001 means something else
};

struct FeatureWord {
    uint32_t leaf, subleaf;
    Reg reg;
    const Names& names;
    Gate gate;
};

const FeatureWord kWords[] = {
    {1, 0, Reg::Edx, kLeaf1Edx, Gate::None},
    {0x80000001, 0, Reg::Edx, kExt1Edx, Gate::None},
    {1, 0, Reg::Ecx, kLeaf1Ecx, Gate::None},
    {0xC0000001, 0, Reg::Edx, kPadLockEdx, Gate::PadLock},
    {0x80000001, 0, Reg::Ecx, kExt1Ecx, Gate::None},
    {7, 0, Reg::Ebx, kLeaf7Ebx, Gate::None},
    {0xD, 1, Reg::Eax, kXsaveEax, Gate::None},
    {7, 1, Reg::Eax, kLeaf7Sub1Eax, Gate::SubleafCount},
    {0x80000008, 0, Reg::Ebx, kExt8Ebx, Gate::None},
    {6, 0, Reg::Eax, kPowerEax, Gate::None},
    {0x8000000A, 0, Reg::Edx, kSvmEdx, Gate::None},
    {7, 0, Reg::Ecx, kLeaf7Ecx, Gate::None},
    {0x80000007, 0, Reg::Ebx, kRasEbx, Gate::None},
    {7, 0, Reg::Edx, kLeaf7Edx, Gate::None},
    {0x8000001F, 0, Reg::Eax, kEncryptionEax, Gate::None},
    {0x80000021, 0, Reg::Eax, kExt21Eax, Gate::None},
};

uint32_t Register(const platform::CpuidRegs& r, Reg reg)
{
    switch (reg) {
    case Reg::Eax: return r.eax;
    case Reg::Ebx: return r.ebx;
    case Reg::Ecx: return r.ecx;
    default: return r.edx;
    }
}

bool Open(const CModernLeaves& leaves, const FeatureWord& word, std::optional<uint32_t> family)
{
    switch (word.gate) {
    case Gate::SubleafCount: {
        const auto first = leaves.Read(word.leaf, 0);
        return first && first->eax >= word.subleaf;
    }
    case Gate::PadLock:
        return (leaves.Vendor() == "CentaurHauls" && family >= 6u) || leaves.Vendor() == "  Shanghai  ";
    default: return true;
    }
}

}  // namespace

std::vector<std::string> DecodeFeatures(const CModernLeaves& leaves, std::optional<uint32_t> family)
{
    std::vector<std::string> features;
    for (const FeatureWord& word : kWords) {
        if (!Open(leaves, word, family)) continue;
        const auto r = leaves.Read(word.leaf, word.subleaf);
        if (!r) continue;
        const uint32_t bits = Register(*r, word.reg);
        for (int bit = 0; bit < 32; ++bit)
            if ((bits >> bit) & 1 && !word.names[bit].empty()) features.emplace_back(word.names[bit]);
    }
    return features;
}

}  // namespace cpu
