// Ending the program while it is busy, and starting and ending it over and
// over: every run ends with exit code 0 in time and leaves no crash report.
#include <gmock/gmock.h>

#include <chrono>
#include <cstdio>

#include "ReliabilityFixture.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

using Clock = std::chrono::steady_clock;

// The reader's 400 ms grace and the 50 ms pause after the detach, then one
// second for the rest of the exit.
constexpr auto kCloseLimit = std::chrono::milliseconds(400 + 50 + 1000);

const std::vector<std::string> kStartAndStopWrites{"a4ef: 01",       "a4ef: 01", "a4f0: 02", "a4f4: 02 a2 20",
                                                   "a4f2: 00",       "b0a0: c0", "a4f0: 00"};

class CloseUnderLoadTest : public ReliabilityTest
{
protected:
    // Floods keys (the echo, which the reader writes to the module and in
    // debug mode logs through the window, and commands) and events, closes
    // the program in the middle, and returns how long the close took.
    Clock::duration CloseMidFlood(const std::string& arguments)
    {
        StartWithRemote(arguments);
        for (int burst = 0; burst < 200; ++burst) {
            Remote().Hold(m_remote, 34, 20);
            Remote().Hold(m_remote, 10, 1);
        }
        for (int event = 0; event < 300; ++event)
            Jukebox().PostEvent(12, L"50");
        EXPECT_TRUE(WaitUntil([&] {
            m_module->Collect();
            return VolumeBlocks().size() > 10 && m_module->writes.size() > 200;
        })) << "the flood did not start";
        const auto sent = Clock::now();
        ::SendMessageTimeoutA(m_window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
        EXPECT_TRUE(m_run->WaitForExit());
        const auto took = Clock::now() - sent;
        m_module->Collect();
        EXPECT_EQ(m_run->ExitCode(), 0u);
        EXPECT_LT(took, kCloseLimit);
        EXPECT_FALSE(CrashReported());
        std::printf("WM_CLOSE %s amid %zu module writes and %zu blocks so far (of 4000 keys, 200 commands and 300\n"
                    "events): exit code %lu after %lld ms (limit %lld ms), no crash report\n",
                    arguments.empty() ? "hidden" : "in debug mode, the reader logging,", m_module->writes.size(),
                    VolumeBlocks().size(), m_run->ExitCode(),
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()),
                    static_cast<long long>(kCloseLimit.count()));
        return took;
    }
};

}  // namespace

TEST_F(CloseUnderLoadTest, CloseAmidAKeyAndEventFloodEndsInTime)
{
    CloseMidFlood("");
}

TEST_F(CloseUnderLoadTest, CloseWhileTheReaderWaitsOnADebugLogLineEndsInTime)
{
    CloseMidFlood("-debug");
}

TEST_F(ReliabilityTest, StartAndStopOverAndOverWithTheRemotePresent)
{
    const int cycles = Scaled(8, 200);
    // One remote for every run: each run opens and closes it again.
    m_remote = Remote().Plug();
    for (int cycle = 0; cycle < cycles; ++cycle) {
        RzmbClearJournals();
        ProgramRun run("", m_folder);
        const HWND window = run.WaitForMainWindow();
        ASSERT_NE(window, nullptr) << "cycle " << cycle;
        // The start block is delivered once the start-up is done.
        ASSERT_TRUE(WaitUntil([] { return RzmbBlockCount() > 0; })) << "cycle " << cycle;
        ::SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
        ASSERT_TRUE(run.WaitForExit()) << "cycle " << cycle;
        ASSERT_EQ(run.ExitCode(), 0u) << "cycle " << cycle;
        ASSERT_EQ(SubstituteModule::Writes(), kStartAndStopWrites) << "cycle " << cycle;
    }
    EXPECT_FALSE(CrashReported());
    std::printf("%d start and stop cycles with one remote present: each exit code 0, each start and stop sequence\n"
                "complete at the module, no crash report\n",
                cycles);
}
