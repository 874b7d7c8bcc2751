// The module library fails calls at random while keys and events stream in:
// blocks may be lost, but none is written out of order, none twice, and the
// user-interface thread never waits on the module beyond its poll bound.
#include <gmock/gmock.h>

#include <chrono>
#include <cstdio>

#include "HostileSender.h"
#include "ReliabilityFixture.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr double kPollBoundMs = 250;
constexpr double kPauseMs = 5;
constexpr double kSchedulingSlackMs = 500;

}  // namespace

TEST_F(ReliabilityTest, AModuleFailingAtRandomLosesBlocksButNeverReordersStallsOrCrashes)
{
    StartWithRemote("");
    ASSERT_TRUE(RzmbFailAtRandom(100, 20261207));  // one call in ten
    ResponsivenessProbe probe(m_window);
    const int rounds = Scaled(200, 3000);
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        // For a while the module takes blocks without counting them: each
        // delivery then polls to its bound.
        RzmbSetOutboxMode(round >= 5 && round < 10 ? RzmbOutboxHold : RzmbOutboxImmediate, 0);
        // The echo and the state query read the module on the reader thread.
        ASSERT_TRUE(Remote().Press(m_remote, 34));
        ASSERT_TRUE(Remote().Press(m_remote, 81));
        ASSERT_NO_FATAL_FAILURE(OwnRound());
        m_module->Collect();
    }
    // The commands do not touch the module: all of them arrive.
    ASSERT_TRUE(WaitUntil([&] { return CollectOwnTraffic() || m_commands.size() >= ExpectedCommands().size(); },
                          std::chrono::minutes(2)));
    ASSERT_TRUE(WaitUntil([&] { return Remote().UnreadReports(m_remote) == 0; }));
    RzmbFailAtRandom(0, 0);
    // The repeat state comes from nothing else: once its block is taken,
    // every event before it has been handled.
    ASSERT_TRUE(Jukebox().PostEvent(3, L"repeat"));
    ASSERT_TRUE(WaitUntil([&] {
        m_module->Collect();
        return std::find(m_module->blocks.begin(), m_module->blocks.end(), "02 a8 02") != m_module->blocks.end();
    }, std::chrono::minutes(2)));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const std::vector<std::string> blocks = VolumeBlocks();
    EXPECT_EQ(m_commands, ExpectedCommands());
    EXPECT_TRUE(InOrderWithin(blocks, ExpectedBlocks()));
    EXPECT_TRUE(SubstituteModule::OutboxStepsInOrder(m_module->writes));
    EXPECT_EQ(m_module->missed, 0u);
    const std::uint32_t faults = RzmbInjectedFailures();
    EXPECT_GT(faults, 0u);
    // A block holds the window for its pause and at most the poll's 250 ms.
    EXPECT_LT(probe.LongestWaitMs(), kPollBoundMs + kPauseMs + kSchedulingSlackMs);
    ASSERT_FALSE(m_run->HasExited());
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(CrashReported());
    std::printf("Module failing at random: %d rounds (keys 34, 81, 10, 2, 22 and a volume answer) in %.1f s,\n"
                "%lu library calls, %u faults injected; %zu of %d volume blocks taken, in order, none twice;\n"
                "outbox steps in order; all %zu commands arrived; the window answered each of %d probes within\n"
                "%.0f ms; exit code %lu\n",
                rounds, seconds, static_cast<unsigned long>(RzmbSetMemCount() + RzmbGetMemCount()), faults,
                blocks.size(), rounds, m_commands.size(), probe.Probes(), probe.LongestWaitMs(), m_run->ExitCode());
}
