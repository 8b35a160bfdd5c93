#pragma once
// A processor made of registers written in the test: its machine (the fake one) answers CPUID from
// them. Leaves not set answer zeros, as a recorded dump does.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cpu/Processor.h"
#include "platform/Cpuid.h"
#include "platform/CpuidDump.h"
#include "tests/support/FakeMachine.h"

class FakeCpu {
public:
    // Vendor string in EBX, EDX, ECX and the highest standard leaf in EAX.
    FakeCpu(const char* vendor, uint32_t maxStandardLeaf)
    {
        machine.cpuid = [this](uint32_t leaf, uint32_t subleaf) {
            ++calls_[leaf];
            return dump_.Query(leaf, subleaf);
        };
        uint32_t words[3] = {};
        for (int i = 0; i < 12 && vendor[i] != '\0'; ++i)
            words[i / 4] |= static_cast<uint32_t>(static_cast<unsigned char>(vendor[i])) << (8 * (i % 4));
        Set(0, maxStandardLeaf, words[0], words[2], words[1]);
    }
    FakeCpu(const FakeCpu&) = delete;
    FakeCpu& operator=(const FakeCpu&) = delete;

    FakeCpu& Set(uint32_t leaf, uint32_t eax, uint32_t ebx = 0, uint32_t ecx = 0, uint32_t edx = 0)
    {
        dump_.Set(leaf, 0, {eax, ebx, ecx, edx});
        return *this;
    }
    // Leaf 1 EAX from its fields.
    FakeCpu& Signature(uint32_t family, uint32_t model, uint32_t stepping = 0, uint32_t ebx = 0,
                       uint32_t edx = 0)
    {
        return Set(1, (family << 8) | (model << 4) | stepping, ebx, 0, edx);
    }
    int Calls(uint32_t leaf) const
    {
        auto it = calls_.find(leaf);
        return it == calls_.end() ? 0 : it->second;
    }
    // The variant this processor's vendor selects, on its machine.
    std::unique_ptr<cpu::CProcessor> Detected() const { return cpu::CreateProcessor(machine, cpu::DetectVendor(machine).code); }

    platform::Machine machine = platform::FakeMachine();

private:
    platform::CCpuidDump dump_;
    std::map<uint32_t, int> calls_;
};
