#include "toolkit/system_facts.h"

#include <array>
#include <cpuid.h>

namespace {

// Registers EAX, EBX, ECX, EDX of the three leaves, in that order, as text.
std::string BrandFromRegisters(const std::array<uint32_t, 12>& registers)
{
    std::string brand;
    for (uint32_t word : registers)
        for (int shift = 0; shift < 32; shift += 8)
            brand += static_cast<char>((word >> shift) & 0xFF);
    size_t end = brand.find('\0');
    if (end != std::string::npos)
        brand.resize(end);
    return brand;
}

} // namespace

std::string ProcessorBrand()
{
    // Asked without checking the highest extended leaf first: every processor
    // these Windows versions run on answers, older ones with zeros or junk
    // that ends at the first zero byte.
    std::array<uint32_t, 12> registers{};
    for (unsigned leaf = 0; leaf < 3; ++leaf)
        __cpuid(0x80000002u + leaf, registers[leaf * 4], registers[leaf * 4 + 1],
                registers[leaf * 4 + 2], registers[leaf * 4 + 3]);
    return BrandFromRegisters(registers);
}
