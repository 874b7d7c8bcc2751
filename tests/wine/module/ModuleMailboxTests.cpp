// Blocks through the main dialog's message loop into our module library:
// what is written, in which order, what is logged, and how each way out of
// the mailbox protocol ends.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "ModuleDialogFixture.h"
#include "ProgramRun.h"
#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryWrites.h"
#include "module/ModuleMemoryMap.h"
#include "module/RemoteKeyDispatch.h"
#include "res/resource.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ModuleMailboxTest = ModuleDialogTest;

namespace {

const std::vector<unsigned char> kPlaying{0x02, 0xA2, 0x01};
const char kPlayingLine[] = "RzmaSetMem: a4f4, 3 :02 a2 01 ";
const char kCountLine[] = "RzmaSetMem: a4f2, 1 :00 ";
const char kDoorbellLine[] = "RzmaSetMem: b0a0, 1 :c0 ";

bool WaitForPoll()
{
    return WaitUntil([] { return RzmbGetMemCount() > 0; });
}

}  // namespace

TEST_F(ModuleMailboxTest, ABlockIsWrittenCountedAndRungEachWithItsLogLine)
{
    Deliver(kPlaying);
    EXPECT_THAT(SubstituteModule::Writes(), ElementsAre("a4f4: 02 a2 01", "a4f2: 00", "b0a0: c0"));
    EXPECT_THAT(SubstituteModule::Reads(), ElementsAre("a4f2+1")) << "the count is there at once: one read, no pause";
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01"));
    EXPECT_THAT(LogDetails(), ElementsAre(kPlayingLine, kCountLine, kDoorbellLine));
}

TEST_F(ModuleMailboxTest, BlocksFromAnotherThreadArriveInPostingOrder)
{
    std::vector<unsigned char> testBlock(40, 0x00);
    testBlock[0] = 0x29;
    testBlock[1] = 0x50;
    testBlock[2] = 0x82;
    std::thread other([&] {
        PostModuleWrite(static_cast<std::uint32_t>(testBlock.size()), testBlock.data());
        PostModuleWrite(3, kPlaying.data());
        const unsigned char paused[] = {0x02, 0xA2, 0x04};
        PostModuleWrite(3, paused);
    });
    other.join();
    DrainMessages();
    const auto blocks = SubstituteModule::Blocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_THAT(blocks[0], ::testing::StartsWith("29 50 82 00"));
    EXPECT_EQ(blocks[1], "02 a2 01");
    EXPECT_EQ(blocks[2], "02 a2 04");
    const auto log = LogDetails();
    ASSERT_EQ(log.size(), 9u);
    EXPECT_THAT(log[0], ::testing::StartsWith("RzmaSetMem: a4f4, 28 :29 50 82 00 "));
}

TEST_F(ModuleMailboxTest, WhileWritesAreOffBlocksAreDroppedNotKept)
{
    ModuleWritesEnabled = 0;
    Deliver(kPlaying);
    EXPECT_THAT(SubstituteModule::Writes(), IsEmpty());
    EXPECT_THAT(SubstituteModule::Reads(), IsEmpty());
    EXPECT_THAT(LogDetails(), IsEmpty());

    ModuleWritesEnabled = 1;
    Deliver({0x02, 0xA2, 0x04});
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 04"));
}

TEST_F(ModuleMailboxTest, AFailedWriteEndsTheDelivery)
{
    struct Case
    {
        std::uint32_t failingWrite;
        std::vector<std::string> writes;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {0, {"a4f4: 02 a2 01 (failed)"}, {kPlayingLine}},
        {1, {"a4f4: 02 a2 01", "a4f2: 00 (failed)"}, {kPlayingLine, kCountLine}},
        {2, {"a4f4: 02 a2 01", "a4f2: 00", "b0a0: c0 (failed)"}, {kPlayingLine, kCountLine, kDoorbellLine}},
    };
    for (const Case& failure : cases) {
        SCOPED_TRACE(failure.failingWrite);
        RzmbClearJournals();
        m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED));
        RzmbFailWrites(failure.failingWrite, 1);
        Deliver(kPlaying);
        EXPECT_EQ(SubstituteModule::Writes(), failure.writes);
        EXPECT_EQ(LogDetails(), failure.log);
        EXPECT_THAT(SubstituteModule::Reads(), IsEmpty()) << "no poll";
        EXPECT_THAT(SubstituteModule::Blocks(), IsEmpty());
    }
}

TEST_F(ModuleMailboxTest, ASlowModuleIsPolledUntilItHasTakenTheWholeBlock)
{
    RzmbSetOutboxMode(RzmbOutboxStep, 1);
    Deliver(kPlaying);
    EXPECT_THAT(SubstituteModule::Reads(), ElementsAre("a4f2+1", "a4f2+1", "a4f2+1"));
    EXPECT_THAT(LogDetails(), ElementsAre(kPlayingLine, kCountLine, kDoorbellLine));
    EXPECT_EQ(SubstituteModule::Peek(0xA4F2, 1)[0], 3);
}

TEST_F(ModuleMailboxTest, AFailedCountReadEndsThePoll)
{
    RzmbSetOutboxMode(RzmbOutboxHold, 0);
    RzmbFailReads(0, 1);
    // Handled here, without the message loop: the block then stays in flight,
    // and the timer's looks at it read the count again.
    ModuleWriteRecord record;
    record.length = static_cast<std::uint32_t>(kPlaying.size());
    std::copy(kPlaying.begin(), kPlaying.end(), record.data);
    WriteModuleBlock(record);
    EXPECT_THAT(SubstituteModule::Reads(), ElementsAre("a4f2+1"));
    EXPECT_THAT(LogDetails(), ElementsAre(kPlayingLine, kCountLine, kDoorbellLine));
}

TEST_F(ModuleMailboxTest, AStuckCountGivesUpAndTheWindowAnswersAgain)
{
    RzmbSetOutboxMode(RzmbOutboxHold, 0);
    const HWND window = m_dialog->m_hWnd;
    std::atomic<bool> answered{false};
    std::thread other([&] {
        ASSERT_TRUE(WaitForPoll());
        DWORD_PTR result = 0;
        answered = ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result) != 0;
        if (!answered)
            RzmbAdvanceOutbox(0xFF);  // a failed test must not hang
    });
    Deliver(kPlaying);
    PumpMessagesUntil([&] { return answered.load(); });
    other.join();
    EXPECT_TRUE(answered) << "the window answered once the poll had given up";
    const auto log = LogDetails();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3], "Module did not take the block: count 0 of 3 after 250 ms");
    EXPECT_GT(SubstituteModule::Reads().size(), 1u);

    RzmbSetOutboxMode(RzmbOutboxImmediate, 0);
    RzmbClearJournals();
    Deliver(kPlaying);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01"));
}

TEST_F(ModuleMailboxTest, AfterAMissedBoundLaterBlocksWaitTheirTurnUntilTheModuleTakesOneAgain)
{
    const std::vector<unsigned char> replies[] = {{0x02, 0x19, 0x81}, {0x02, 0x1A, 0x81}, {0x02, 0x1C, 0x81}};
    RzmbSetOutboxMode(RzmbOutboxHold, 0);
    Deliver(kPlaying);    // misses its bound
    Deliver(replies[0]);  // goes out at once, nobody waiting for it
    Deliver(replies[1]);  // waits: the one before it is within its bound
    Deliver(replies[2]);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01", "02 19 81"));

    RzmbSetOutboxMode(RzmbOutboxImmediate, 0);
    RzmbAdvanceOutbox(0xFF);  // the module takes its block
    EXPECT_TRUE(PumpMessagesUntil([] { return SubstituteModule::Blocks().size() == 4; }));
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01", "02 19 81", "02 1a 81", "02 1c 81"));
    EXPECT_EQ(RzmbOverwrittenBlocks(250), 0u);
    std::vector<std::string> misses;
    for (const std::string& line : LogDetails()) {
        if (line.rfind("Module did not", 0) == 0)
            misses.push_back(line);
    }
    EXPECT_THAT(misses, ElementsAre("Module did not take the block: count 0 of 3 after 250 ms"));

    RzmbClearJournals();
    Deliver(kPlaying);
    EXPECT_THAT(SubstituteModule::Reads(), ElementsAre("a4f2+1")) << "taken again: the count is read only after";
}

TEST_F(ModuleMailboxTest, SwitchingWritesOffFromAnotherThreadEndsThePoll)
{
    RzmbSetOutboxMode(RzmbOutboxHold, 0);
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration switchedAfter{};
    std::thread other([&] {
        ASSERT_TRUE(WaitForPoll());
        ModuleWritesEnabled = 0;
        switchedAfter = std::chrono::steady_clock::now() - start;
    });
    Deliver(kPlaying);
    other.join();
    // The poll gives up by itself after 250 ms; a machine that held this
    // thread back that long leaves nothing to tell apart.
    if (switchedAfter >= std::chrono::milliseconds(200))
        GTEST_SKIP() << "the switching thread was held back past the poll's limit";
    EXPECT_THAT(LogDetails(), ElementsAre(kPlayingLine, kCountLine, kDoorbellLine)) << "ended before the limit";
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01"));
}

TEST_F(ModuleMailboxTest, TheParameterEchoIsWrittenAndLoggedFromTheReaderThreadWhileBlocksAreOff)
{
    ModuleWritesEnabled = 0;
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x05});
    EXPECT_TRUE(RunOnOtherThreadPumping([] { DispatchRemoteKey(34); }));
    EXPECT_THAT(SubstituteModule::Writes(), ElementsAre("a4f3: 01"));
    EXPECT_THAT(LogDetails(), ElementsAre("RzmaSetMem: a4f3, 1 :01 "));
}

TEST_F(ModuleMailboxTest, TheHostAnnouncesItselfWhetherOrNotBlocksAreOn)
{
    ModuleWritesEnabled = 0;
    AnnounceHostAttached();
    AnnounceHostDetached();
    EXPECT_THAT(SubstituteModule::Writes(), ElementsAre("a4ef: 01", "a4f0: 02", "a4f0: 00"));
    EXPECT_THAT(LogDetails(),
                ElementsAre("RzmaSetMem: a4ef, 1 :01 ", "RzmaSetMem: a4f0, 1 :02 ", "RzmaSetMem: a4f0, 1 :00 "));
}

TEST_F(ModuleMailboxTest, TheQueryHardwareIdButtonSendsItsStateBlock)
{
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_QUERY_HARDWARE_ID, BN_CLICKED));
    DrainMessages();
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 21"));
}

TEST_F(ModuleMailboxTest, BlocksOfNoBytesOrMoreThan256AreRefused)
{
    const std::vector<unsigned char> large(300, 0x01);
    PostModuleWrite(0, large.data());
    PostModuleWrite(257, large.data());
    PostModuleWrite(3, nullptr);
    DrainMessages();
    EXPECT_THAT(SubstituteModule::Writes(), IsEmpty());
    Deliver({0x02, 0xA2, 0x04});
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 04"));
}
