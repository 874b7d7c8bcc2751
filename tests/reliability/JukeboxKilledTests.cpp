// The jukebox's server dies in the middle of a key stream. Wine keeps the
// dead server's class registration stale for the rest of the session, so this
// case runs in a session of its own.
#include <gmock/gmock.h>

#include <chrono>
#include <cstdio>

#include "ReliabilityFixture.h"

namespace {

// The numbers of the log's "Command to Cantora: n" lines, in order.
std::vector<long> LoggedCommands(const std::string& log)
{
    std::vector<long> commands;
    constexpr char kPrefix[] = "Command to Cantora: ";
    for (const std::string& text : LogTexts(log)) {
        if (text.rfind(kPrefix, 0) == 0)
            commands.push_back(std::atol(text.c_str() + sizeof kPrefix - 1));
    }
    return commands;
}

}  // namespace

TEST_F(ReliabilityTest, AKilledJukeboxLeavesTheProgramRunningLoggingAndClosingWithCodeZero)
{
    StartWithRemote("-debug");
    for (int round = 0; round < Scaled(10, 100); ++round)
        ASSERT_NO_FATAL_FAILURE(OwnRound());
    ASSERT_TRUE(WaitForOwnTraffic());

    m_journal.reset();
    DisconnectJukebox();
    ASSERT_EQ(KillJukeboxServers(), 1);
    const int roundsAfter = Scaled(50, 1000);
    const auto killed = std::chrono::steady_clock::now();
    for (int round = 0; round < roundsAfter; ++round) {
        for (const std::uint8_t key : {10, 2, 22})
            ASSERT_TRUE(Remote().Press(m_remote, key));
    }
    // Each command the program could not deliver is still logged, in order.
    const std::size_t expected = ExpectedCommands().size() + 3 * static_cast<std::size_t>(roundsAfter);
    ASSERT_TRUE(WaitUntil([&] { return Remote().UnreadReports(m_remote) == 0; }, std::chrono::minutes(2)));
    std::vector<long> logged;
    ASSERT_TRUE(WaitUntil([&] { return (logged = LoggedCommands(SaveLogAfterQueuedWork())).size() >= expected; },
                          std::chrono::minutes(2)))
        << logged.size() << " of " << expected << " commands logged";
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - killed).count();
    m_rounds += roundsAfter;
    EXPECT_EQ(logged, ExpectedCommands());

    ASSERT_FALSE(m_run->HasExited());
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(CrashReported());
    std::printf("Jukebox killed after %zu commands; %d more key triples: all %zu commands logged in order within\n"
                "%.2f s of the kill (each failed call a no-op); exit code %lu, no crash report\n",
                m_commands.size(), roundsAfter, logged.size(), seconds, m_run->ExitCode());
}
