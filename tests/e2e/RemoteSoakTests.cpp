// Plug and unplug cycles while keys stream in: nothing crashes, nothing leaks,
// every report sent while the remote was plugged is dispatched once and in
// order, and nothing happens while it is not. Short here; scripts/soak.sh
// runs the long form (VANTREL_SOAK_CYCLES).
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "JournalText.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

struct SoakKey
{
    std::uint8_t code;
    std::vector<std::uint8_t> parameter;
};

// One cycle's reports, back to back (a write to the simulated remote takes
// about a millisecond, the pace of a full-speed device): the switch for blocks
// (every connect turns it off), keys without action, command keys, the echo
// and the module information. Its commands: 8, 9 and, last, 3. The only
// parameter is 1, so that a key read after the next key's parameter was
// written acts alike.
const std::vector<SoakKey> kCycleKeys{{35, {1}}, {9, {}}, {5, {}},  {34, {1}}, {73, {}},
                                      {79, {}},  {6, {}}, {0, {}},  {34, {1}}, {10, {}}};
constexpr std::size_t kCycleEchoes = 2;
const std::string kModuleInfoBlock = "06 4f 82 01 02 03 04";

// The module's journals keep only the latest entries: this reads them as
// they grow.
class ModuleTally
{
public:
    void Collect()
    {
        for (const std::uint32_t count = RzmbSetMemCount(); m_writes < count; ++m_writes) {
            RzmbSetMemEntry write{};
            if (RzmbSetMemAt(m_writes, &write) && write.address == ModuleMap::ParameterEcho)
                ++echoes;
        }
        for (const std::uint32_t count = RzmbBlockCount(); m_blocks < count; ++m_blocks) {
            RzmbBlockEntry block{};
            if (RzmbBlockAt(m_blocks, &block) && HexBytes(block.bytes, block.length) == kModuleInfoBlock)
                ++moduleInfoBlocks;
        }
    }

    std::size_t echoes = 0;
    std::size_t moduleInfoBlocks = 0;

private:
    std::uint32_t m_writes = 0;
    std::uint32_t m_blocks = 0;
};
const std::vector<long> kCycleCommands{8, 9, 3};

int Cycles()
{
    const char* cycles = std::getenv("VANTREL_SOAK_CYCLES");
    return cycles != nullptr ? std::max(1, std::atoi(cycles)) : 40;
}

using RemoteSoakTest = ProgramTest;

}  // namespace

TEST_F(RemoteSoakTest, PlugAndUnplugWhileKeysStreamIn)
{
    SubstituteModule::Poke(ModuleMap::ModuleInfo, {1, 2, 3, 4});
    StartProgram("");
    SaveLogAfterQueuedWork();
    RzmbClearJournals();
    const long journalStart = Jukebox().JournalCount();
    // Taken after the first cycle: that one opens what the process then
    // keeps (our hid.dll's device table, a worker thread of the system's).
    std::size_t handlesAtStart = 0;

    std::vector<long> commands;  // the jukebox's, as they arrive
    ModuleTally module;
    long read = journalStart;
    const auto collect = [&] {
        module.Collect();
        for (const JournalEntry& entry : Jukebox().Journal(read)) {
            ++read;
            if (entry.operation == "SendCommand" && entry.number != 204)
                commands.push_back(entry.number);
        }
    };
    const int cycles = Cycles();
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const SimulatedDeviceId remote = Remote().Plug();
        ASSERT_TRUE(Remote().AnnounceArrival(m_window, remote)) << "cycle " << cycle;
        for (const SoakKey& key : kCycleKeys) {
            ASSERT_TRUE(Remote().Press(remote, key.code, key.parameter)) << "cycle " << cycle;
        }
        // Everything sent has been dispatched once its last command arrived.
        const std::size_t expected = kCycleCommands.size() * static_cast<std::size_t>(cycle + 1);
        ASSERT_TRUE(WaitUntil([&] {
            collect();
            return commands.size() >= expected;
        })) << "cycle " << cycle;
        Remote().Unplug(remote, false);
        ASSERT_TRUE(Remote().AnnounceRemoval(m_window, remote)) << "cycle " << cycle;
        ASSERT_TRUE(Remote().OpenHandles(m_run->ProcessId()).empty()) << "cycle " << cycle;
        ASSERT_FALSE(Remote().Press(remote, 1)) << "nothing reads an unplugged remote";
        if (cycle == 0)
            handlesAtStart = CountProcessHandles(m_run->ProcessId());
    }

    std::vector<long> expected;
    for (int cycle = 0; cycle < cycles; ++cycle)
        expected.insert(expected.end(), kCycleCommands.begin(), kCycleCommands.end());
    const auto totalCycles = static_cast<std::size_t>(cycles);
    EXPECT_TRUE(WaitUntil([&] {
        collect();
        return module.moduleInfoBlocks >= totalCycles;
    }));
    EXPECT_EQ(commands, expected) << "every command once and in order";
    EXPECT_EQ(module.moduleInfoBlocks, totalCycles);
    EXPECT_EQ(module.echoes, kCycleEchoes * totalCycles);
    // A system thread may come or go meanwhile; a handle lost per cycle
    // would keep the count up.
    EXPECT_TRUE(WaitUntil([&] { return CountProcessHandles(m_run->ProcessId()) <= handlesAtStart; }))
        << "handles back to their start: " << CountProcessHandles(m_run->ProcessId()) << " of " << handlesAtStart;
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    std::printf("%d plug and unplug cycles, %zu reports, %zu commands: nothing lost\n", cycles,
                kCycleKeys.size() * static_cast<std::size_t>(cycles), commands.size());
}
