// A module that stops taking blocks while keys and events stream in: every
// command still reaches the jukebox in order and the window answers within a
// second; no block is written over one the module has not taken within its
// bound; each block is written or dropped with a log line. And a module that
// misses one bound and then, back, takes each block a while after its
// doorbell: no block is written over one it is still taking, all arrive in
// order, the newest state wins.
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "BenchReport.h"
#include "HostileSender.h"
#include "ReliabilityFixture.h"
#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

// Key 25 is answered at once by the reader with this reply block.
constexpr std::uint8_t kReplyKey = 25;
constexpr char kReplyBlock[] = "02 19 81";
constexpr unsigned kRepliesPerRound = 30;
// The last command of a round, behind the replies.
constexpr long kLastCommandOfRound = 18;
constexpr std::uint8_t kWritesSwitchKey = 35;
constexpr UINT kShowWindowMessage = WM_APP + 2;
constexpr double kGoalMs = 1000;
// How long a block owns the outbox while the module has not taken it.
constexpr std::uint32_t kBoundMs = 250;
constexpr char kMissedLine[] = "Module did not take the block";
constexpr char kDroppedForRoom[] = "Held module block dropped for room: ";
constexpr char kReplacedByNewer[] = "Held module block replaced by a newer state: ";
constexpr char kWritesOffDrop[] = "Module writes off: ";

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

bool StartsWith(const std::string& text, const char* head)
{
    return text.rfind(head, 0) == 0;
}

bool AnyStartsWith(const std::vector<std::string>& texts, const char* head)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) { return StartsWith(text, head); });
}

// The blocks that the log says were dropped: one for each block dropped for
// room or replaced, and the number that switching writes off dropped.
std::size_t DroppedBlocks(const std::vector<std::string>& texts)
{
    std::size_t dropped = 0;
    for (const std::string& text : texts) {
        if (StartsWith(text, kDroppedForRoom) || StartsWith(text, kReplacedByNewer))
            ++dropped;
        else if (StartsWith(text, kWritesOffDrop))
            dropped += std::strtoul(text.c_str() + sizeof kWritesOffDrop - 1, nullptr, 10);
    }
    return dropped;
}

std::size_t DataWrites(const std::vector<RzmbSetMemEntry>& writes)
{
    return static_cast<std::size_t>(std::count_if(writes.begin(), writes.end(), [](const RzmbSetMemEntry& write) {
        return write.succeeded && write.address == ModuleMap::OutboxData;
    }));
}

}  // namespace

TEST_F(ReliabilityTest, AModuleThatTakesNothingHoldsUpNeitherCommandsNorTheWindow)
{
    StartWithRemote("-debug");
    ::ShowWindowAsync(m_window, SW_HIDE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) == FALSE; }, std::chrono::minutes(2)));
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
    const double longestProbeMs = probe.LongestWaitMs();
    ASSERT_TRUE(WaitUntil([&] { return CollectOwnTraffic() || m_commands.size() >= ExpectedCommands().size(); },
                          std::chrono::minutes(2)));
    // Switched off, the program drops what it still holds: then every block
    // is either written or dropped.
    ASSERT_TRUE(Remote().Press(m_remote, kWritesSwitchKey, {0x00}));
    const std::size_t posted = (kRepliesPerRound + 1) * static_cast<std::size_t>(rounds);
    std::vector<std::string> texts;
    ASSERT_TRUE(WaitUntil([&] {
        texts = LogTexts(SaveLog());
        m_module->Collect();
        return DataWrites(m_module->writes) + DroppedBlocks(texts) >= posted;
    }, std::chrono::minutes(2))) << DataWrites(m_module->writes) << " written, " << DroppedBlocks(texts) << " dropped";
    const std::size_t written = DataWrites(m_module->writes);
    EXPECT_EQ(written + DroppedBlocks(texts), posted) << "each block written or dropped, once";
    EXPECT_EQ(RzmbOverwrittenBlocks(kBoundMs), 0u) << "a block written over one untaken within its bound";
    EXPECT_TRUE(AnyStartsWith(texts, kMissedLine));
    EXPECT_EQ(m_commands, ExpectedCommands());
    EXPECT_TRUE(InOrderWithin(VolumeBlocks(), ExpectedBlocks()));
    EXPECT_TRUE(SubstituteModule::OutboxStepsInOrder(m_module->writes));
    EXPECT_EQ(m_module->missed, 0u);
    EXPECT_LE(Longest(commandMs), kGoalMs);
    EXPECT_LE(Longest(shownMs), kGoalMs);
    EXPECT_LE(longestProbeMs, kGoalMs);
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(CrashReported());

    std::printf("Module taking nothing: %d rounds of %u reply keys, then keys 10, 2 and 22 and a volume answer;\n"
                "all %zu commands arrived in order; of %zu blocks %zu were written (%u over one untaken within\n"
                "its bound) and %zu dropped with a log line; exit code %lu\n",
                rounds, kRepliesPerRound, m_commands.size(), posted, written, RzmbOverwrittenBlocks(kBoundMs),
                DroppedBlocks(texts), m_run->ExitCode());
    std::printf("  the round's last command from its report to the jukebox: median %.0f ms, longest %.0f ms\n",
                Median(commandMs), Longest(commandMs));
    std::printf("  WM_APP+2 posted behind the replies until the window showed: median %.0f ms, longest %.0f ms\n",
                Median(shownMs), Longest(shownMs));
    std::printf("  sent messages (%d probes): longest wait %.0f ms\n", probe.Probes(), longestProbeMs);
    const auto goal = [](const char* name, double ms) {
        Goal(name, Format("%.0f ms", ms), Format("at most %.0f ms", kGoalMs), ms <= kGoalMs);
    };
    goal("stalled_module_command_latency", Longest(commandMs));
    goal("stalled_module_posted_message_wait", Longest(shownMs));
    goal("stalled_module_sent_message_wait", longestProbeMs);
}

namespace {

// The module's time to take each block after its doorbell, in ms.
class ModuleBackFromAStallTest : public ReliabilityTest, public ::testing::WithParamInterface<std::uint32_t>
{
protected:
    static constexpr int kStates = 5;
    static constexpr long kVolumeEvent = 5;

    // Keys that the reader answers at once (reply blocks, close together),
    // then volumes first to last from the jukebox (state blocks of one code).
    void RepliesThenVolumes(int first, int last)
    {
        for (const std::uint8_t key : kReplyKeys) {
            ASSERT_TRUE(Remote().Press(m_remote, key));
            m_replies.push_back(Reply(key));
        }
        for (int state = first; state <= last; ++state)
            ASSERT_TRUE(Jukebox().PostEvent(kVolumeEvent, std::to_wstring(Percentage(state))));
    }

    static int Percentage(int state) { return state * 9; }
    static std::string State(int state)
    {
        char block[16];
        std::snprintf(block, sizeof block, "02 a6 %02x", Percentage(state) * 255 / 100);
        return block;
    }
    static std::string Reply(std::uint8_t key)
    {
        char block[16];
        std::snprintf(block, sizeof block, "02 %02x 81", key);
        return block;
    }

    // The blocks rung after the stall's own: the volume states, or the
    // replies.
    std::vector<std::string> RungAfterTheStall(bool states) const
    {
        std::vector<std::string> found;
        for (std::size_t i = 1; i < m_module->blocks.size(); ++i) {
            if (StartsWith(m_module->blocks[i], "02 a6") == states)
                found.push_back(m_module->blocks[i]);
        }
        return found;
    }

    // Keys 26, 28, 67, 68 and 69.
    const std::vector<std::uint8_t> kReplyKeys{26, 28, 67, 68, 69};
    std::vector<std::string> m_replies;
};

}  // namespace

TEST_P(ModuleBackFromAStallTest, NoBlockIsWrittenOverOneItIsStillTakingAndTheNewestStateWins)
{
    const std::uint32_t delayMs = GetParam();
    StartWithRemote("-debug");
    ASSERT_TRUE(RzmbSetOutboxMode(RzmbOutboxHold, 0));
    // The module misses the first block's bound while more blocks queue up
    // behind it; then it comes back, and more follow.
    ASSERT_TRUE(Remote().Press(m_remote, kReplyKey));
    ASSERT_NO_FATAL_FAILURE(RepliesThenVolumes(1, kStates));
    ASSERT_TRUE(WaitUntil([&] { return AnyStartsWith(LogTexts(SaveLog()), kMissedLine); }, std::chrono::minutes(2)));
    ASSERT_TRUE(RzmbSetOutboxMode(RzmbOutboxDelayed, delayMs));
    ASSERT_NO_FATAL_FAILURE(RepliesThenVolumes(kStates + 1, 2 * kStates));

    // Once the last reply and the newest state are rung and the module has
    // taken the last block, everything has been delivered.
    std::vector<std::string> replies, states;
    ASSERT_TRUE(WaitUntil([&] {
        m_module->Collect();
        replies = RungAfterTheStall(false);
        states = RungAfterTheStall(true);
        return replies.size() >= m_replies.size() && !states.empty() && states.back() == State(2 * kStates) &&
               SubstituteModule::Peek(ModuleMap::OutboxCount, 1)[0] >= 3;
    }, std::chrono::minutes(2)));
    const std::uint32_t overwritten = RzmbOverwrittenBlocks(kBoundMs);
    std::vector<std::string> statesSent;
    for (int state = 1; state <= 2 * kStates; ++state)
        statesSent.push_back(State(state));

    EXPECT_EQ(overwritten, 0u) << "blocks written over one the module was still taking, within its bound";
    EXPECT_EQ(replies, m_replies) << "every reply, once, in order";
    EXPECT_TRUE(InOrderWithin(states, statesSent)) << "no older state after a newer one";
    EXPECT_EQ(m_module->missed, 0u);
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    std::printf("Module back from a stall, taking each block %u ms after its doorbell: of %zu blocks rung after\n"
                "the stall, %u were written over one the module was still taking within its bound; %zu of %d\n"
                "volume states sent, the newest last\n",
                delayMs, m_module->blocks.size() - 1, overwritten, states.size(), 2 * kStates);
}

INSTANTIATE_TEST_SUITE_P(TakingEachBlock, ModuleBackFromAStallTest, ::testing::Values(30u, 60u, 100u),
                         [](const ::testing::TestParamInfo<std::uint32_t>& info) {
                             return std::to_string(info.param) + "ms";
                         });
