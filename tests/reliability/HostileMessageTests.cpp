// Another program floods the window with what it may send it: the program
// survives, and its own traffic meanwhile arrives whole.
#include <gmock/gmock.h>

#include <cstdio>

#include "HostileSender.h"
#include "ReliabilityFixture.h"

TEST_F(ReliabilityTest, AHostileFloodLeavesTheProgramsOwnTrafficWhole)
{
    StartWithRemote("");
    HostileSender hostile(m_window, Scaled(12000, 100000));
    // The program's own traffic goes on for as long as the flood does.
    do {
        ASSERT_NO_FATAL_FAILURE(OwnRound());
        ASSERT_TRUE(WaitForOwnTraffic()) << "round " << m_rounds;
    } while (!hostile.Done());
    hostile.Wait();

    EXPECT_EQ(m_commands, ExpectedCommands());
    EXPECT_EQ(VolumeBlocks(), ExpectedBlocks());
    EXPECT_EQ(m_module->missed, 0u);
    ASSERT_FALSE(m_run->HasExited());
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(CrashReported());
    std::printf("Hostile flood: %s. Meanwhile %d rounds of the program's own: %zu commands and %zu blocks, each\n"
                "once and in order: nothing lost; exit code %lu\n",
                hostile.Summary().c_str(), m_rounds, m_commands.size(), VolumeBlocks().size(), m_run->ExitCode());
}
