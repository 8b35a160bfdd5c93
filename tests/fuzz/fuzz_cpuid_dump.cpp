// Arbitrary text as a CPUID dump: when it parses, the processor it describes is identified with every
// operation, on fake clocks so that the clock measurement is instant. No operation may fail, and the
// texts stay within the lengths the pages and the report make room for. The same processor is then
// decoded by today's rules, whose caches must be ordered and sized and whose JSON must be valid.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "results/JsonText.h"
#include "results/ProcessorJson.h"
#include "cpu/Clock.h"
#include "cpu/ModernProcessor.h"
#include "cpu/Processor.h"
#include "cpu/RecordedCpuid.h"
#include "cpu/SystemSummary.h"
#include "platform/CpuidDump.h"
#include "tests/fuzz/Require.h"
#include "tests/support/FakeMachine.h"

using namespace cpu;

using namespace results;

namespace {

void RequireText(const std::string& text, std::size_t longest)
{
    Require(!text.empty());
    Require(text.size() <= longest);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    platform::CCpuidDump dump;
    try {
        dump = platform::ParseCpuidDump(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const platform::CCpuidDumpError&) {
        return 0;
    }
    platform::Machine machine = cpu::WithRecordedCpuid(platform::FakeMachine(), dump);
    // The dump's own first word picks the clock, so that every standard-clock branch is reached.
    const uint64_t cycles = static_cast<uint64_t>(dump.Query(1, 0).ebx) * 1'000'003ull;
    machine.timeGetTime = platform::SteppingClock(dump.Query(0, 0).eax, 7);
    machine.readTsc = platform::SteppingTsc(dump.Query(1, 0).eax, cycles);
    machine.memoryStatus = [&] {
        platform::MemoryStatus m;
        m.totalPhys = (uint64_t{dump.Query(1, 0).ecx} << 32) | dump.Query(1, 0).edx;
        return m;
    };
    machine.osVersion = [&] {
        platform::OsVersionInfo v;
        v.platformId = dump.Query(0, 0).ecx & 3;
        return v;
    };

    const DetectedVendor vendor = DetectVendor(machine);
    RequireText(vendor.label, 22);
    Require(vendor.code >= VendorAmd && vendor.code <= VendorOther);
    CpuSignature signature;
    GetFamilyModelStepping(machine, vendor.code, signature);
    Require(signature.family >= -1 && signature.family <= 15);

    auto p = CreateProcessor(machine, vendor.code);
    RequireText(p->GetName(), 54);
    const int32_t mhz = p->MeasureMHz();
    Require(mhz >= 0);
    const int32_t standard = p->MatchStandardMHz(mhz);
    Require(standard == -1 || standard == mhz || (standard >= mhz - 3 && standard <= mhz + 3));
    RequireText(FormatClockText(mhz, standard), 30);

    std::string a, b, c;
    p->FormatCacheSizes(a, b, c);
    RequireText(a, 14);
    RequireText(b, 14);
    RequireText(c, 14);
    CacheSizes sizes;
    p->GetCacheSizes(sizes);
    RequireText(p->GetProcessorType(), 9);
    RequireText(p->GetBrandName(), 16);
    Require(p->GetBrandString().size() <= 48);
    RequireText(p->DescribeL2Cache(), 69);
    RequireText(p->DescribeL1CodeCache(), 69);
    RequireText(p->DescribeL1DataCache(), 69);
    p->DescribeInstructionTlb(a, b);
    RequireText(a, 94);
    RequireText(b, 94);
    p->DescribeDataTlb(a, b);
    RequireText(a, 94);
    RequireText(b, 94);
    CpuSignature extended;
    p->GetExtendedFamilyModel(extended);
    Require(extended.family >= -1 && extended.family <= 255);
    const int32_t generation = p->GetGeneration();
    Require(generation >= -1 && generation <= 15);
    SerialNumber serial;
    p->GetSerialNumber(serial);
    RequireText(p->DescribeL2Tlb(), 31);
    (void)StandardFeatureFlags(machine).flags;
    (void)AmdFeatureFlags(machine).flags;
    p.reset();

    const std::string line = FormatSystemSummary(machine);
    Require(line.size() <= 54 + 4 + 24 + 7 + 23 + 9);

    const cpu::ModernProcessor modern = cpu::DecodeModernProcessor(machine);
    for (std::size_t i = 0; i < modern.caches.size(); ++i) {
        Require(modern.caches[i].level <= 7);
        Require(i == 0 || modern.caches[i - 1].level <= modern.caches[i].level);
    }
    Require(modern.features.size() <= 7 * 32);
    Require(!JsonText(ProcessorJson(modern)).empty());  // throws on text that is not UTF-8
    return 0;
}
