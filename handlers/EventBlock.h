// The one block a jukebox event handler sends to the device module: a state
// block or a reply block, at most 40 bytes. Byte 0 counts the bytes after it,
// byte 1 is the state code or the code of the key being answered, and in a
// reply byte 2 is its status.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

struct EventBlock
{
    static constexpr std::uint32_t kCapacity = 40;

    EventBlock() = default;
    // A block of exactly these bytes (at most kCapacity).
    EventBlock(std::initializer_list<unsigned char> content);
    template <std::size_t N>
    explicit EventBlock(const std::array<unsigned char, N>& content)
    {
        static_assert(N <= kCapacity);
        for (const unsigned char value : content)
            Append(value);
    }

    // Appends one byte; a byte beyond kCapacity is dropped.
    void Append(unsigned char value);

    std::array<unsigned char, kCapacity> bytes{};
    std::uint32_t length = 0;
};
