// One block on its way to the device module.
#pragma once

#include <cstdint>

struct ModuleWriteRecord
{
    static constexpr std::uint32_t kCapacity = 256;
    std::uint32_t length = 0;
    unsigned char data[kCapacity] = {};
};
