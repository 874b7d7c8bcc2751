// A module that takes no block at all while keys and events stream in: every
// command still reaches the jukebox, in order, and every block is written in
// order. How long commands and the window's answers wait is reported against
// the goal of one second; a timed assertion would fail on a busy machine.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>

#include "BenchReport.h"
#include "HostileSender.h"
#include "ReliabilityFixture.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

// Key 25 is answered at once by the reader with this reply block.
constexpr std::uint8_t kReplyKey = 25;
constexpr char kReplyBlock[] = "02 19 81";
constexpr unsigned kRepliesPerRound = 30;
// The last command of a round, behind the replies.
constexpr long kLastCommandOfRound = 18;
constexpr UINT kShowWindowMessage = WM_APP + 2;
constexpr double kGoalMs = 1000;

// When the jukebox received the first SendCommand of number from first on;
// 0 once the (generous) limit has passed.
double CommandArrival(long first, long number)
{
    double arrival = 0;
    WaitUntil([&] {
        const std::vector<JournalEntry> journal = Jukebox().Journal(first);
        const auto found = std::find_if(journal.begin(), journal.end(), [&](const JournalEntry& entry) {
            return entry.operation == "SendCommand" && entry.number == number;
        });
        if (found != journal.end())
            arrival = Jukebox().JournalTime(first + static_cast<long>(found - journal.begin()));
        return arrival != 0;
    }, std::chrono::minutes(2));
    return arrival;
}

double Longest(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

}  // namespace

TEST_F(ReliabilityTest, AModuleThatTakesNothingHoldsUpNeitherCommandsNorTheWindow)
{
    StartWithRemote("");
    ASSERT_TRUE(RzmbSetOutboxMode(RzmbOutboxHold, 0));
    ResponsivenessProbe probe(m_window);
    std::vector<double> commandMs, shownMs;
    const int rounds = Scaled(4, 20);
    for (int round = 0; round < rounds; ++round) {
        const long first = Jukebox().JournalCount();
        ASSERT_TRUE(Remote().Hold(m_remote, kReplyKey, kRepliesPerRound));
        ASSERT_NO_FATAL_FAILURE(OwnRound());
        const double pressed = Remote().LastReportMicroseconds();
        const double posted = NowMicroseconds();
        ASSERT_TRUE(::PostMessageA(m_window, kShowWindowMessage, 0, 0));
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; }, std::chrono::minutes(2)));
        shownMs.push_back((NowMicroseconds() - posted) / 1000);
        const double arrived = CommandArrival(first, kLastCommandOfRound);
        ASSERT_NE(arrived, 0) << "round " << round;
        commandMs.push_back((arrived - pressed) / 1000);
        ::ShowWindowAsync(m_window, SW_HIDE);
        ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) == FALSE; }, std::chrono::minutes(2)));
    }
    ASSERT_TRUE(WaitForOwnTraffic());
    const std::vector<std::string> replies = [&] {
        std::vector<std::string> taken;
        std::copy_if(m_module->blocks.begin(), m_module->blocks.end(), std::back_inserter(taken),
                     [](const std::string& block) { return block == kReplyBlock; });
        return taken;
    }();
    EXPECT_EQ(m_commands, ExpectedCommands());
    EXPECT_EQ(VolumeBlocks(), ExpectedBlocks());
    EXPECT_EQ(replies.size(), kRepliesPerRound * static_cast<std::size_t>(rounds));
    EXPECT_TRUE(SubstituteModule::OutboxStepsInOrder(m_module->writes));
    EXPECT_EQ(m_module->missed, 0u);
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(CrashReported());

    std::printf("Module taking nothing: %d rounds of %u reply keys, then keys 10, 2 and 22 and a volume answer;\n"
                "all %zu commands arrived in order, all %zu blocks were written in order; exit code %lu\n",
                rounds, kRepliesPerRound, m_commands.size(), replies.size() + VolumeBlocks().size(),
                m_run->ExitCode());
    std::printf("  the round's last command from its report to the jukebox: median %.0f ms, longest %.0f ms\n",
                Median(commandMs), Longest(commandMs));
    std::printf("  WM_APP+2 posted behind the replies until the window showed: median %.0f ms, longest %.0f ms\n",
                Median(shownMs), Longest(shownMs));
    std::printf("  sent messages (%d probes): longest wait %.0f ms\n", probe.Probes(), probe.LongestWaitMs());
    const auto goal = [](const char* name, double ms) {
        Goal(name, Format("%.0f ms", ms), Format("at most %.0f ms", kGoalMs), ms <= kGoalMs);
    };
    goal("stalled_module_command_latency", Longest(commandMs));
    goal("stalled_module_posted_message_wait", Longest(shownMs));
    goal("stalled_module_sent_message_wait", probe.LongestWaitMs());
}
