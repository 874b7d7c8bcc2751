// Our rzmb.dll's control side as a test uses it: the shared module of this
// process's instance, its journals as vectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/rzmb/RzmbControl.h"

namespace SubstituteModule {

// Chooses the module instance of this process and of the programs it starts
// (they inherit the environment). Takes effect only before the first call
// into the library; later calls keep the first instance.
void UseInstance(const std::string& name);

void Reset();
void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> Peek(std::uint32_t address, std::uint32_t length);

std::vector<RzmbSetMemEntry> SetMems();
std::vector<RzmbGetMemEntry> GetMems();
// The blocks rung at the doorbell, each as "02 a2 21".
std::vector<std::string> Blocks();
// The RzmaSetMem calls, each as "a4f4: 02 a2 21"; failed ones end in " (failed)".
std::vector<std::string> Writes();
// The last successful RzmaSetMem call at address, as Writes() shows it;
// empty when there was none.
std::string LastWriteAt(std::uint32_t address);
// The RzmaGetMem calls, each as "a4f2+1".
std::vector<std::string> Reads();

// Whether the outbox was written step by step: among the successful writes,
// a count reset only follows the data, and a doorbell only a count reset.
bool OutboxStepsInOrder(const std::vector<RzmbSetMemEntry>& writes);

// The library keeps only the latest journal entries: a follower collects
// them as they grow, from the counts at its construction on.
class Follower
{
public:
    Follower();
    // Appends what was recorded since the last call.
    void Collect();

    std::vector<RzmbSetMemEntry> writes;
    std::vector<std::string> blocks;
    // Entries that had dropped out of the journals before they were collected.
    std::uint32_t missed = 0;

private:
    std::uint32_t m_writes;
    std::uint32_t m_blocks;
};

}  // namespace SubstituteModule
