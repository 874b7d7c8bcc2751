#include "module/HeldModuleBlocks.h"

#include <algorithm>

namespace {

constexpr unsigned char kFirstStateCode = 0xA1;
constexpr unsigned char kLastStateCode = 0xA9;
constexpr unsigned char kPlayStateCode = 0xA2;
constexpr unsigned char kTransportCode = 0xA9;

// Under the play state's and the transport's codes, 0x20 and 0x21 tell of
// events (the reader started or stopped, the hardware id asked for, the
// jukebox launched or closed), which no later state makes stale.
bool IsEventValue(unsigned char code, unsigned char value)
{
    return (code == kPlayStateCode || code == kTransportCode) && (value == 0x20 || value == 0x21);
}

// {0x02, state code, value}; replies carry a key code (below 0x80) instead.
bool IsStateBlock(const ModuleWriteRecord& block)
{
    return block.length == 3 && block.data[0] == 0x02 && block.data[1] >= kFirstStateCode &&
           block.data[1] <= kLastStateCode && !IsEventValue(block.data[1], block.data[2]);
}

}  // namespace

HeldModuleBlocks::Displaced HeldModuleBlocks::Hold(const ModuleWriteRecord& block)
{
    Displaced displaced;
    if (IsStateBlock(block)) {
        const auto older = std::find_if(m_blocks.begin(), m_blocks.end(), [&](const ModuleWriteRecord& held) {
            return IsStateBlock(held) && held.data[1] == block.data[1];
        });
        if (older != m_blocks.end()) {
            displaced.replaced = *older;
            m_blocks.erase(older);
        }
    }
    if (m_blocks.size() >= kCapacity) {
        displaced.dropped = m_blocks.front();
        m_blocks.pop_front();
    }
    m_blocks.push_back(block);
    return displaced;
}

ModuleWriteRecord HeldModuleBlocks::TakeOldest()
{
    ModuleWriteRecord oldest = m_blocks.front();
    m_blocks.pop_front();
    return oldest;
}

std::size_t HeldModuleBlocks::DropAll()
{
    const std::size_t count = m_blocks.size();
    m_blocks.clear();
    return count;
}
