// Numbers for the device's display travel as packed decimal bytes: tens in the
// high nibble, units in the low one (59 becomes 0x59). Values of 100 and more
// (or below 0) do not fit; the device receives the low 8 bits of
// value / 10 * 16 + value % 10, with both divisions truncating toward zero.
#pragma once

#include <cstdint>

constexpr unsigned char PackedDecimal(std::int32_t value)
{
    // Wide enough that value / 10 * 16 cannot overflow for any 32-bit value.
    const std::int64_t packed = std::int64_t{value} / 10 * 16 + std::int64_t{value} % 10;
    return static_cast<unsigned char>(static_cast<std::uint64_t>(packed) & 0xFF);
}
