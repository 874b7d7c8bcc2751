// The five state bytes that the device may ask for again: the last value sent
// for 0xA1, 0xA2, 0xA3, 0xA6 and 0xA8. Plain data; the program keeps one
// instance under ModuleStateLock.
#pragma once

#include <array>
#include <optional>

class ModuleStateTable
{
public:
    // Stores value for a cached code; false (nothing stored) for any other.
    bool Store(unsigned char code, unsigned char value);

    // The answer to the device's query for code: the cached byte, 0 for codes
    // that are not cached, and none for 0xA4, which the device is never
    // answered for.
    std::optional<unsigned char> Answer(unsigned char code) const;

private:
    std::array<unsigned char, 5> m_values{};
};
