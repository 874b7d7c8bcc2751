#include "module/ModuleStateTable.h"

namespace {

constexpr unsigned char kCachedCodes[] = {0xA1, 0xA2, 0xA3, 0xA6, 0xA8};
constexpr unsigned char kNeverAnswered = 0xA4;

// The slot of a cached code, or -1.
int SlotOf(unsigned char code)
{
    for (int slot = 0; slot < static_cast<int>(sizeof kCachedCodes); ++slot) {
        if (kCachedCodes[slot] == code)
            return slot;
    }
    return -1;
}

}  // namespace

bool ModuleStateTable::Store(unsigned char code, unsigned char value)
{
    const int slot = SlotOf(code);
    if (slot < 0)
        return false;
    m_values[static_cast<size_t>(slot)] = value;
    return true;
}

std::optional<unsigned char> ModuleStateTable::Answer(unsigned char code) const
{
    if (code == kNeverAnswered)
        return std::nullopt;
    const int slot = SlotOf(code);
    return slot < 0 ? 0 : m_values[static_cast<size_t>(slot)];
}
