#include "SubstituteModule.h"

#include <windows.h>

#include "JournalText.h"

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

std::vector<RzmbSetMemEntry> SetMems()
{
    std::vector<RzmbSetMemEntry> entries;
    const std::uint32_t count = RzmbSetMemCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        RzmbSetMemEntry entry{};
        if (RzmbSetMemAt(i, &entry))
            entries.push_back(entry);
    }
    return entries;
}

std::vector<RzmbGetMemEntry> GetMems()
{
    std::vector<RzmbGetMemEntry> entries;
    const std::uint32_t count = RzmbGetMemCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        RzmbGetMemEntry entry{};
        if (RzmbGetMemAt(i, &entry))
            entries.push_back(entry);
    }
    return entries;
}

std::vector<std::string> Blocks()
{
    std::vector<std::string> blocks;
    const std::uint32_t count = RzmbBlockCount();
    for (std::uint32_t i = 0; i < count; ++i) {
        RzmbBlockEntry entry{};
        if (RzmbBlockAt(i, &entry))
            blocks.push_back(HexBytes(entry.bytes, entry.length < RZMB_RECORDED_BYTES ? entry.length : RZMB_RECORDED_BYTES));
    }
    return blocks;
}

std::vector<std::string> Writes()
{
    std::vector<std::string> writes;
    for (const RzmbSetMemEntry& entry : SetMems())
        writes.push_back(DescribeWrite(entry) + (entry.succeeded ? "" : " (failed)"));
    return writes;
}

std::vector<std::string> Reads()
{
    std::vector<std::string> reads;
    for (const RzmbGetMemEntry& entry : GetMems())
        reads.push_back(DescribeRead(entry));
    return reads;
}

}  // namespace SubstituteModule
