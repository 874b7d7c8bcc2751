// The blocks that wait while the module's outbox is not free for them, in the
// order they came. Waiting makes a state block stale once a newer one of its
// code comes: only the newest is kept, at the place of the newer. Reply blocks
// each answer a key of their own and all stay, as do the events that share
// the state codes. The number held is bounded,
// the oldest giving way, so that a module that never comes back costs little.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "module/ModuleWriteRecord.h"

class HeldModuleBlocks
{
public:
    static constexpr std::size_t kCapacity = 32;

    // What holding a block cost: the held state block of its code, or the
    // oldest block when there was no room.
    struct Displaced
    {
        std::optional<ModuleWriteRecord> replaced;
        std::optional<ModuleWriteRecord> dropped;
    };

    Displaced Hold(const ModuleWriteRecord& block);
    bool Empty() const { return m_blocks.empty(); }
    // The oldest block, no longer held; only when not Empty().
    ModuleWriteRecord TakeOldest();
    // Lets every block go; how many there were.
    std::size_t DropAll();

private:
    std::deque<ModuleWriteRecord> m_blocks;
};
