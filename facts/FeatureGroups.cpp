#include "facts/FeatureGroups.h"

#include <algorithm>
#include <iterator>

namespace facts {

namespace {

struct Entry {
    std::string_view name;
    FeatureGroup group;
    std::string_view description;
};

// Sorted by name, for a binary search.
constexpr Entry kFeatures[] = {
    {"3dnow", FeatureGroup::Vectors, "3DNow!, AMD's single-precision SIMD"},
    {"3dnowext", FeatureGroup::Vectors, "AMD extensions to 3DNow!"},
    {"3dnowprefetch", FeatureGroup::Memory, "PREFETCH and PREFETCHW"},
    {"abm", FeatureGroup::Instructions, "Advanced bit manipulation (LZCNT)"},
    {"ace", FeatureGroup::Cryptography, "PadLock advanced cryptography engine"},
    {"ace2", FeatureGroup::Cryptography, "PadLock advanced cryptography engine 2"},
    {"ace2_en", FeatureGroup::Cryptography, "PadLock advanced cryptography engine 2 enabled"},
    {"ace_en", FeatureGroup::Cryptography, "PadLock advanced cryptography engine enabled"},
    {"acpi", FeatureGroup::PowerTiming, "Thermal monitor and software-controlled clock (ACPI)"},
    {"adx", FeatureGroup::Instructions, "ADCX and ADOX, multi-precision addition"},
    {"aes", FeatureGroup::Cryptography, "AES-NI, AES encryption instructions"},
    {"amd_ppin", FeatureGroup::System, "Protected processor inventory number"},
    {"amx_bf16", FeatureGroup::Vectors, "AMX bfloat16 tiles"},
    {"amx_int8", FeatureGroup::Vectors, "AMX 8-bit integer tiles"},
    {"amx_tile", FeatureGroup::Vectors, "AMX tile registers"},
    {"apic", FeatureGroup::System, "Local APIC on the chip"},
    {"arat", FeatureGroup::PowerTiming, "APIC timer runs in every power state"},
    {"arch_capabilities", FeatureGroup::Security, "IA32_ARCH_CAPABILITIES, which speculation flaws the processor has"},
    {"arch_lbr", FeatureGroup::Monitoring, "Architectural last branch records"},
    {"avic", FeatureGroup::Virtualisation, "AMD virtual interrupt controller"},
    {"avx", FeatureGroup::Vectors, "AVX, 256-bit floating-point SIMD"},
    {"avx2", FeatureGroup::Vectors, "AVX2, 256-bit integer SIMD"},
    {"avx512_4fmaps", FeatureGroup::Vectors, "AVX-512 multiply-accumulate, 4 iterations"},
    {"avx512_4vnniw", FeatureGroup::Vectors, "AVX-512 neural network instructions, 4 iterations"},
    {"avx512_bf16", FeatureGroup::Vectors, "AVX-512 bfloat16 instructions"},
    {"avx512_bitalg", FeatureGroup::Vectors, "AVX-512 bit algorithms"},
    {"avx512_fp16", FeatureGroup::Vectors, "AVX-512 half-precision"},
    {"avx512_vbmi2", FeatureGroup::Vectors, "AVX-512 vector byte manipulation 2"},
    {"avx512_vnni", FeatureGroup::Vectors, "AVX-512 neural network instructions"},
    {"avx512_vp2intersect", FeatureGroup::Vectors, "AVX-512 vector pair intersection"},
    {"avx512_vpopcntdq", FeatureGroup::Vectors, "AVX-512 population count of doublewords and quadwords"},
    {"avx512bw", FeatureGroup::Vectors, "AVX-512 byte and word instructions"},
    {"avx512cd", FeatureGroup::Vectors, "AVX-512 conflict detection"},
    {"avx512dq", FeatureGroup::Vectors, "AVX-512 doubleword and quadword instructions"},
    {"avx512er", FeatureGroup::Vectors, "AVX-512 exponential and reciprocal"},
    {"avx512f", FeatureGroup::Vectors, "AVX-512 foundation"},
    {"avx512ifma", FeatureGroup::Vectors, "AVX-512 integer fused multiply-add"},
    {"avx512pf", FeatureGroup::Vectors, "AVX-512 prefetch"},
    {"avx512vbmi", FeatureGroup::Vectors, "AVX-512 vector byte manipulation"},
    {"avx512vl", FeatureGroup::Vectors, "AVX-512 vector length extensions"},
    {"avx_vnni", FeatureGroup::Vectors, "AVX neural network instructions (VEX)"},
    {"bmi1", FeatureGroup::Instructions, "Bit manipulation instructions, first group"},
    {"bmi2", FeatureGroup::Instructions, "Bit manipulation instructions, second group"},
    {"bpext", FeatureGroup::Monitoring, "Data breakpoint extension"},
    {"brs", FeatureGroup::Monitoring, "Branch sampling"},
    {"bus_lock_detect", FeatureGroup::Monitoring, "Bus lock detection"},
    {"cid", FeatureGroup::Monitoring, "L1 context ID (adaptive or shared L1 data cache)"},
    {"cldemote", FeatureGroup::Memory, "CLDEMOTE, move a cache line to a farther cache"},
    {"clflush", FeatureGroup::Memory, "CLFLUSH, flush a cache line"},
    {"clflushopt", FeatureGroup::Memory, "CLFLUSHOPT, optimised cache line flush"},
    {"clwb", FeatureGroup::Memory, "CLWB, write back a cache line"},
    {"clzero", FeatureGroup::Memory, "CLZERO, zero a cache line"},
    {"cmov", FeatureGroup::Instructions, "Conditional move instructions (CMOV, FCMOV)"},
    {"cmp_legacy", FeatureGroup::System, "Several cores per package, legacy hyper-threading reporting"},
    {"cppc", FeatureGroup::PowerTiming, "Collaborative processor performance control"},
    {"cqm", FeatureGroup::Monitoring, "Cache quality-of-service monitoring"},
    {"cr8_legacy", FeatureGroup::System, "CR8 in 32-bit mode"},
    {"cx16", FeatureGroup::Instructions, "CMPXCHG16B, compare and exchange 16 bytes"},
    {"cx8", FeatureGroup::Instructions, "CMPXCHG8B, compare and exchange 8 bytes"},
    {"dca", FeatureGroup::Memory, "Direct cache access for DMA writes"},
    {"de", FeatureGroup::Monitoring, "Debugging extensions (I/O breakpoints, CR4.DE)"},
    {"debug_swap", FeatureGroup::Security, "SEV-ES debug registers swapped"},
    {"decodeassists", FeatureGroup::Virtualisation, "Decode assists on intercepts"},
    {"ds_cpl", FeatureGroup::Monitoring, "Debug store qualified by privilege level"},
    {"dtes64", FeatureGroup::Monitoring, "64-bit debug store"},
    {"dtherm", FeatureGroup::PowerTiming, "Digital thermal sensor"},
    {"dts", FeatureGroup::Monitoring, "Debug store (branch trace and event samples to memory)"},
    {"enqcmd", FeatureGroup::Instructions, "ENQCMD, enqueue command"},
    {"erms", FeatureGroup::Memory, "Enhanced REP MOVSB and STOSB"},
    {"est", FeatureGroup::PowerTiming, "Enhanced SpeedStep, clock and voltage changed by software"},
    {"extapic", FeatureGroup::System, "Extended APIC space"},
    {"f16c", FeatureGroup::Vectors, "F16C, half-precision conversions"},
    {"flush_l1d", FeatureGroup::Security, "Flush of the L1 data cache (L1TF fix)"},
    {"flushbyasid", FeatureGroup::Virtualisation, "TLB flush by address space ID"},
    {"fma", FeatureGroup::Vectors, "FMA3, fused multiply-add on 256-bit vectors"},
    {"fma4", FeatureGroup::Vectors, "FMA4, four-operand fused multiply-add"},
    {"fpu", FeatureGroup::Vectors, "x87 floating-point unit on the chip"},
    {"fred", FeatureGroup::System, "Flexible return and event delivery"},
    {"fsgsbase", FeatureGroup::System, "RDFSBASE and related, the FS and GS bases from user mode"},
    {"fsrm", FeatureGroup::Memory, "Fast short REP MOVSB"},
    {"fxsr", FeatureGroup::System, "FXSAVE and FXRSTOR of the x87 and SSE state"},
    {"fxsr_opt", FeatureGroup::System, "Fast FXSAVE and FXRSTOR"},
    {"gfni", FeatureGroup::Cryptography, "Galois field instructions"},
    {"hfi", FeatureGroup::PowerTiming, "Hardware feedback interface"},
    {"hle", FeatureGroup::Security, "Hardware lock elision (TSX)"},
    {"ht", FeatureGroup::System, "Hyper-threading: more than one logical processor per package"},
    {"hwp", FeatureGroup::PowerTiming, "Hardware-controlled performance states"},
    {"hwp_act_window", FeatureGroup::PowerTiming, "HWP activity window"},
    {"hwp_epp", FeatureGroup::PowerTiming, "HWP energy-performance preference"},
    {"hwp_notify", FeatureGroup::PowerTiming, "HWP notifications"},
    {"hwp_pkg_req", FeatureGroup::PowerTiming, "HWP package-level request"},
    {"hypervisor", FeatureGroup::Virtualisation, "Running under a hypervisor"},
    {"ia64", FeatureGroup::System, "IA-64 processor emulating x86"},
    {"ibs", FeatureGroup::Monitoring, "Instruction-based sampling"},
    {"ibt", FeatureGroup::Security, "Indirect branch tracking (control-flow enforcement)"},
    {"ida", FeatureGroup::PowerTiming, "Intel dynamic acceleration (turbo)"},
    {"intel_pt", FeatureGroup::Monitoring, "Processor trace"},
    {"invpcid", FeatureGroup::Memory, "INVPCID, invalidate TLB entries by context"},
    {"irperf", FeatureGroup::Monitoring, "Instructions retired performance counter"},
    {"la57", FeatureGroup::Memory, "5-level page tables"},
    {"lahf_lm", FeatureGroup::Instructions, "LAHF and SAHF in 64-bit mode"},
    {"lam", FeatureGroup::Memory, "Linear address masking"},
    {"lbrv", FeatureGroup::Virtualisation, "Last branch record virtualisation"},
    {"lm", FeatureGroup::System, "Long mode (64-bit x86-64)"},
    {"lwp", FeatureGroup::System, "Lightweight profiling"},
    {"mca", FeatureGroup::Monitoring, "Machine check architecture"},
    {"mce", FeatureGroup::Monitoring, "Machine check exception"},
    {"md_clear", FeatureGroup::Security, "VERW clears the buffers (microarchitectural data sampling fix)"},
    {"misalignsse", FeatureGroup::Vectors, "Misaligned SSE memory operands allowed"},
    {"mmx", FeatureGroup::Vectors, "MMX, integer SIMD in the x87 registers"},
    {"mmxext", FeatureGroup::Vectors, "AMD extensions to MMX"},
    {"monitor", FeatureGroup::PowerTiming, "MONITOR and MWAIT, waiting on a memory address"},
    {"movbe", FeatureGroup::Instructions, "MOVBE, move with byte swap"},
    {"movdir64b", FeatureGroup::Instructions, "MOVDIR64B, direct 64-byte store"},
    {"movdiri", FeatureGroup::Instructions, "MOVDIRI, direct store"},
    {"mp", FeatureGroup::System, "Multiprocessor capable"},
    {"mpx", FeatureGroup::Security, "Memory protection extensions (bounds checks)"},
    {"msr", FeatureGroup::System, "Model-specific registers (RDMSR, WRMSR)"},
    {"mtrr", FeatureGroup::Memory, "Memory type range registers"},
    {"mwaitx", FeatureGroup::PowerTiming, "MONITORX and MWAITX with a timer"},
    {"nodeid_msr", FeatureGroup::System, "NodeId MSR"},
    {"npt", FeatureGroup::Virtualisation, "Nested page tables"},
    {"nrip_save", FeatureGroup::Virtualisation, "Next instruction pointer saved on exit"},
    {"nx", FeatureGroup::Security, "No-execute pages"},
    {"ospke", FeatureGroup::Security, "Protection keys enabled by the operating system"},
    {"osvw", FeatureGroup::System, "OS-visible workarounds of errata"},
    {"overflow_recov", FeatureGroup::Monitoring, "Recovery from machine check overflow"},
    {"pae", FeatureGroup::Memory, "Physical address extension (more than 4 GB of memory)"},
    {"pat", FeatureGroup::Memory, "Page attribute table"},
    {"pausefilter", FeatureGroup::Virtualisation, "Filtered PAUSE intercept"},
    {"pbe", FeatureGroup::PowerTiming, "Pending break enable, wake-up on a stopped clock"},
    {"pcid", FeatureGroup::Memory, "Process-context identifiers in the TLB"},
    {"pclmulqdq", FeatureGroup::Cryptography, "PCLMULQDQ, carry-less multiplication"},
    {"pconfig", FeatureGroup::Security, "Platform configuration (memory encryption keys)"},
    {"pdcm", FeatureGroup::Monitoring, "Performance and debug capability MSR"},
    {"pdpe1gb", FeatureGroup::Memory, "1 GB pages"},
    {"perfctr_core", FeatureGroup::Monitoring, "Core performance counter extensions"},
    {"perfctr_llc", FeatureGroup::Monitoring, "Last-level cache performance counters"},
    {"perfctr_nb", FeatureGroup::Monitoring, "Northbridge performance counters"},
    {"pfthreshold", FeatureGroup::Virtualisation, "PAUSE filter threshold"},
    {"pge", FeatureGroup::Memory, "Global pages, kept in the TLB across address-space switches"},
    {"phe", FeatureGroup::Cryptography, "PadLock hash engine"},
    {"phe_en", FeatureGroup::Cryptography, "PadLock hash engine enabled"},
    {"pku", FeatureGroup::Security, "Protection keys for user-mode pages"},
    {"pln", FeatureGroup::PowerTiming, "Power limit notification"},
    {"pmm", FeatureGroup::Cryptography, "PadLock Montgomery multiplier"},
    {"pmm_en", FeatureGroup::Cryptography, "PadLock Montgomery multiplier enabled"},
    {"pn", FeatureGroup::System, "Processor serial number"},
    {"pni", FeatureGroup::Vectors, "SSE3 (Prescott new instructions)"},
    {"popcnt", FeatureGroup::Instructions, "POPCNT, count the set bits"},
    {"pse", FeatureGroup::Memory, "Page size extension (4 MB pages)"},
    {"pse36", FeatureGroup::Memory, "36-bit page size extension"},
    {"pts", FeatureGroup::PowerTiming, "Package thermal status"},
    {"ptsc", FeatureGroup::PowerTiming, "Performance time-stamp counter"},
    {"rdpid", FeatureGroup::Instructions, "RDPID, read the processor ID"},
    {"rdpru", FeatureGroup::Instructions, "RDPRU, read processor registers from user mode"},
    {"rdrand", FeatureGroup::Cryptography, "RDRAND, random numbers from the chip"},
    {"rdseed", FeatureGroup::Cryptography, "RDSEED, true random bits from the hardware noise source"},
    {"rdt_a", FeatureGroup::Monitoring, "Resource director technology allocation"},
    {"rdtscp", FeatureGroup::PowerTiming, "RDTSCP, time-stamp counter with processor ID"},
    {"rng", FeatureGroup::Cryptography, "PadLock random number generator"},
    {"rng_en", FeatureGroup::Cryptography, "PadLock random number generator enabled"},
    {"rtm", FeatureGroup::Security, "Restricted transactional memory (TSX)"},
    {"sdbg", FeatureGroup::Monitoring, "Silicon debug interface"},
    {"sep", FeatureGroup::System, "SYSENTER and SYSEXIT fast system calls"},
    {"serialize", FeatureGroup::Instructions, "SERIALIZE, serialise instruction execution"},
    {"sev", FeatureGroup::Security, "Secure encrypted virtualisation"},
    {"sev_es", FeatureGroup::Security, "SEV with encrypted register state"},
    {"sev_snp", FeatureGroup::Security, "SEV with secure nested paging"},
    {"sgx", FeatureGroup::Security, "Software guard extensions (enclaves)"},
    {"sgx_lc", FeatureGroup::Security, "SGX launch control"},
    {"sha_ni", FeatureGroup::Cryptography, "SHA-1 and SHA-256 instructions"},
    {"skinit", FeatureGroup::Security, "SKINIT and STGI, secure start"},
    {"smap", FeatureGroup::Security, "Supervisor mode access prevention"},
    {"smca", FeatureGroup::Monitoring, "Scalable machine check architecture"},
    {"sme", FeatureGroup::Security, "Secure memory encryption"},
    {"smep", FeatureGroup::Security, "Supervisor mode execution prevention"},
    {"smx", FeatureGroup::Security, "Safer mode extensions (trusted execution)"},
    {"ss", FeatureGroup::Memory, "Self snoop of the caches"},
    {"sse", FeatureGroup::Vectors, "SSE, single-precision SIMD"},
    {"sse2", FeatureGroup::Vectors, "SSE2, double-precision and integer SIMD"},
    {"sse4_1", FeatureGroup::Vectors, "SSE4.1"},
    {"sse4_2", FeatureGroup::Vectors, "SSE4.2 (with CRC32 and string compares)"},
    {"sse4a", FeatureGroup::Vectors, "SSE4a (AMD)"},
    {"ssse3", FeatureGroup::Vectors, "Supplemental SSE3"},
    {"succor", FeatureGroup::Monitoring, "Software uncorrectable error containment and recovery"},
    {"svm", FeatureGroup::Virtualisation, "AMD-V secure virtual machine"},
    {"svm_lock", FeatureGroup::Virtualisation, "SVM lock"},
    {"svsm", FeatureGroup::Security, "Secure VM service module"},
    {"syscall", FeatureGroup::System, "SYSCALL and SYSRET fast system calls"},
    {"tbm", FeatureGroup::Instructions, "Trailing bit manipulation"},
    {"tce", FeatureGroup::Memory, "Translation cache extension"},
    {"tm", FeatureGroup::PowerTiming, "Thermal monitor, automatic clock throttling"},
    {"tm2", FeatureGroup::PowerTiming, "Thermal monitor 2"},
    {"tme", FeatureGroup::Security, "Total memory encryption"},
    {"topoext", FeatureGroup::System, "Topology extensions (leaves 0x8000001D and 0x8000001E)"},
    {"tsc", FeatureGroup::PowerTiming, "Time-stamp counter (RDTSC)"},
    {"tsc_adjust", FeatureGroup::PowerTiming, "TSC adjust MSR"},
    {"tsc_deadline_timer", FeatureGroup::PowerTiming, "APIC timer that fires at a time-stamp counter value"},
    {"tsc_scale", FeatureGroup::Virtualisation, "TSC rate scaling for guests"},
    {"tsxldtrk", FeatureGroup::Security, "TSX suspend load address tracking"},
    {"umip", FeatureGroup::Security, "User-mode instruction prevention"},
    {"v_spec_ctrl", FeatureGroup::Virtualisation, "Virtual SPEC_CTRL"},
    {"v_vmsave_vmload", FeatureGroup::Virtualisation, "Virtual VMSAVE and VMLOAD"},
    {"vaes", FeatureGroup::Cryptography, "Vector AES"},
    {"vgif", FeatureGroup::Virtualisation, "Virtual global interrupt flag"},
    {"virt_ssbd", FeatureGroup::Security, "Speculative store bypass disable through the hypervisor"},
    {"vmcb_clean", FeatureGroup::Virtualisation, "VMCB clean bits"},
    {"vme", FeatureGroup::Memory, "Virtual-8086 mode extensions"},
    {"vmx", FeatureGroup::Virtualisation, "VT-x hardware virtualisation"},
    {"vnmi", FeatureGroup::Virtualisation, "Virtual non-maskable interrupts"},
    {"vpclmulqdq", FeatureGroup::Cryptography, "Vector carry-less multiplication"},
    {"waitpkg", FeatureGroup::PowerTiming, "UMONITOR, UMWAIT and TPAUSE"},
    {"wbnoinvd", FeatureGroup::Memory, "WBNOINVD, write back caches without invalidating"},
    {"wdt", FeatureGroup::System, "Watchdog timer"},
    {"x2apic", FeatureGroup::System, "x2APIC, the APIC through MSRs"},
    {"x2avic", FeatureGroup::Virtualisation, "Virtual x2APIC"},
    {"xgetbv1", FeatureGroup::System, "XGETBV with ECX = 1"},
    {"xop", FeatureGroup::Vectors, "XOP, AMD's extended operations"},
    {"xsave", FeatureGroup::System, "XSAVE and XRSTOR of the extended states"},
    {"xsavec", FeatureGroup::System, "XSAVEC, compacted save"},
    {"xsaveerptr", FeatureGroup::System, "XSAVE saves the x87 error pointers"},
    {"xsaveopt", FeatureGroup::System, "XSAVEOPT, save only the changed state"},
    {"xsaves", FeatureGroup::System, "XSAVES and XRSTORS of supervisor state"},
    {"xtpr", FeatureGroup::System, "Task priority messages can be disabled"},
};

}  // namespace

const char* FeatureGroupName(FeatureGroup group)
{
    switch (group) {
    case FeatureGroup::Instructions: return "Instruction sets";
    case FeatureGroup::Vectors: return "Vector and floating point";
    case FeatureGroup::Cryptography: return "Cryptography and random numbers";
    case FeatureGroup::Security: return "Security";
    case FeatureGroup::Virtualisation: return "Virtualisation";
    case FeatureGroup::Memory: return "Memory and caches";
    case FeatureGroup::PowerTiming: return "Power and timing";
    case FeatureGroup::Monitoring: return "Debugging and monitoring";
    case FeatureGroup::System: return "System";
    case FeatureGroup::Other: break;
    }
    return "Other";
}

FeatureInfo DescribeFeature(std::string_view name)
{
    const auto found = std::lower_bound(std::begin(kFeatures), std::end(kFeatures), name,
                                        [](const Entry& e, std::string_view n) { return e.name < n; });
    if (found == std::end(kFeatures) || found->name != name) return {};
    return {found->group, found->description};
}

std::vector<DescribedFeature> GroupFeatures(const std::vector<std::string>& names)
{
    std::vector<DescribedFeature> features;
    for (const std::string& name : names) {
        const FeatureInfo info = DescribeFeature(name);
        features.push_back({name, info.group, info.description});
    }
    std::stable_sort(features.begin(), features.end(),
                     [](const DescribedFeature& a, const DescribedFeature& b) { return a.group < b.group; });
    return features;
}

}  // namespace facts
