#include "SubstituteModule.h"

#include <windows.h>

#include <algorithm>

#include "JournalText.h"
#include "module/ModuleMemoryMap.h"

namespace SubstituteModule {

void UseInstance(const std::string& name)
{
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, name.c_str());
}

void Reset()
{
    RzmbReset();
}

void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes)
{
    RzmbPokeMemory(address, static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

std::vector<unsigned char> Peek(std::uint32_t address, std::uint32_t length)
{
    std::vector<unsigned char> bytes(length);
    RzmbPeekMemory(address, length, bytes.data());
    return bytes;
}

namespace {

// The entries of one journal that the library still holds, through its count
// and its entry function.
template <class Entry, class Count, class At>
std::vector<Entry> JournalEntries(Count count, At at)
{
    std::vector<Entry> entries;
    const std::uint32_t total = count();
    for (std::uint32_t i = 0; i < total; ++i) {
        Entry entry{};
        if (at(i, &entry))
            entries.push_back(entry);
    }
    return entries;
}

}  // namespace

std::vector<RzmbSetMemEntry> SetMems()
{
    return JournalEntries<RzmbSetMemEntry>(RzmbSetMemCount, RzmbSetMemAt);
}

std::vector<RzmbGetMemEntry> GetMems()
{
    return JournalEntries<RzmbGetMemEntry>(RzmbGetMemCount, RzmbGetMemAt);
}

std::vector<std::string> Blocks()
{
    std::vector<std::string> blocks;
    for (const RzmbBlockEntry& entry : JournalEntries<RzmbBlockEntry>(RzmbBlockCount, RzmbBlockAt))
        blocks.push_back(HexBytes(entry.bytes, RecordedBytes(entry)));
    return blocks;
}

std::vector<std::string> Writes()
{
    std::vector<std::string> writes;
    for (const RzmbSetMemEntry& entry : SetMems())
        writes.push_back(DescribeWrite(entry) + (entry.succeeded ? "" : " (failed)"));
    return writes;
}

std::string LastWriteAt(std::uint32_t address)
{
    const std::vector<RzmbSetMemEntry> writes = SetMems();
    const auto last = std::find_if(writes.rbegin(), writes.rend(), [&](const RzmbSetMemEntry& entry) {
        return entry.succeeded && entry.address == address;
    });
    return last == writes.rend() ? std::string() : DescribeWrite(*last);
}

std::vector<std::string> Reads()
{
    std::vector<std::string> reads;
    for (const RzmbGetMemEntry& entry : GetMems())
        reads.push_back(DescribeRead(entry));
    return reads;
}

bool OutboxStepsInOrder(const std::vector<RzmbSetMemEntry>& writes)
{
    std::uint32_t previous = 0;
    for (const RzmbSetMemEntry& write : writes) {
        if (!write.succeeded || (write.address != ModuleMap::OutboxData && write.address != ModuleMap::OutboxCount &&
                                 write.address != ModuleMap::OutboxDoorbell))
            continue;
        if ((write.address == ModuleMap::OutboxCount && previous != ModuleMap::OutboxData) ||
            (write.address == ModuleMap::OutboxDoorbell && previous != ModuleMap::OutboxCount))
            return false;
        previous = write.address;
    }
    return true;
}

Follower::Follower() : m_writes(RzmbSetMemCount()), m_blocks(RzmbBlockCount()) {}

void Follower::Collect()
{
    for (const std::uint32_t count = RzmbSetMemCount(); m_writes < count; ++m_writes) {
        RzmbSetMemEntry entry{};
        if (RzmbSetMemAt(m_writes, &entry))
            writes.push_back(entry);
        else
            ++missed;
    }
    for (const std::uint32_t count = RzmbBlockCount(); m_blocks < count; ++m_blocks) {
        RzmbBlockEntry entry{};
        if (RzmbBlockAt(m_blocks, &entry))
            blocks.push_back(HexBytes(entry.bytes, RecordedBytes(entry)));
        else
            ++missed;
    }
}

}  // namespace SubstituteModule
