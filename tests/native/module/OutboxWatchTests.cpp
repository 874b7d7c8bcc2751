#include "module/OutboxWatch.h"

#include <gmock/gmock.h>

namespace {

using Step = OutboxWatch::Step;
using namespace std::chrono_literals;

ModuleWriteRecord Reply(unsigned char key)
{
    ModuleWriteRecord block;
    block.length = 3;
    block.data[0] = 0x02;
    block.data[1] = key;
    block.data[2] = 0x81;
    return block;
}

class OutboxWatchTest : public ::testing::Test
{
protected:
    const OutboxWatch::Clock::time_point m_start{};
    OutboxWatch m_watch;
};

TEST_F(OutboxWatchTest, AfterAMissedBoundOneBlockGoesOutAtOnceAndTheNextOnlyOnceItsBoundHasPassed)
{
    m_watch.Missed(3);
    EXPECT_FALSE(m_watch.Free());
    EXPECT_FALSE(m_watch.NeedsLook()) << "nothing waits: no looks";

    m_watch.Held().Hold(Reply(0x19));
    m_watch.Held().Hold(Reply(0x1A));
    EXPECT_EQ(m_watch.Next(0, m_start).step, Step::Probe);
    m_watch.Held().TakeOldest();
    m_watch.Rung(3, m_start);

    EXPECT_EQ(m_watch.Next(2, m_start + 249ms).step, Step::Wait);
    const OutboxWatch::Decision late = m_watch.Next(2, m_start + 250ms);
    EXPECT_EQ(late.step, Step::Probe);
    ASSERT_TRUE(late.missed);
    EXPECT_EQ(late.missed->count, 2u);
    EXPECT_EQ(late.missed->length, 3u);
    m_watch.Held().TakeOldest();
    m_watch.Rung(3, m_start + 250ms);
    EXPECT_TRUE(m_watch.NeedsLook()) << "the last block is within its bound";
    EXPECT_EQ(m_watch.Next(0, m_start + 500ms).step, Step::Wait);
    EXPECT_FALSE(m_watch.NeedsLook());
}

TEST_F(OutboxWatchTest, OnceTheModuleTakesItsBlockTheHeldOnesGoOutTheUsualWayOneAtATime)
{
    m_watch.Missed(3);
    m_watch.Held().Hold(Reply(0x19));
    m_watch.Held().Hold(Reply(0x1A));
    EXPECT_EQ(m_watch.Next(3, m_start).step, Step::Deliver) << "a late take shows the module back";
    m_watch.Held().TakeOldest();
    m_watch.Taken();
    EXPECT_FALSE(m_watch.Free()) << "one is still held";
    EXPECT_FALSE(m_watch.Watching());
    EXPECT_EQ(m_watch.Next(std::nullopt, m_start).step, Step::Deliver);
    m_watch.Held().TakeOldest();
    m_watch.Taken();
    EXPECT_TRUE(m_watch.Free());
}

TEST_F(OutboxWatchTest, ABlockWhoseCountCouldNotBeReadHoldsTheNextUntilItIsSeenTakenOrItsBoundPasses)
{
    m_watch.Rung(3, m_start);
    EXPECT_FALSE(m_watch.Free());
    m_watch.Held().Hold(Reply(0x19));
    EXPECT_EQ(m_watch.Next(std::nullopt, m_start + 100ms).step, Step::Wait);
    EXPECT_EQ(m_watch.Next(3, m_start + 110ms).step, Step::Deliver);
    m_watch.Held().TakeOldest();

    m_watch.Rung(3, m_start + 200ms);
    m_watch.Held().Hold(Reply(0x1A));
    const OutboxWatch::Decision missed = m_watch.Next(std::nullopt, m_start + 450ms);
    EXPECT_EQ(missed.step, Step::Probe) << "a missed bound is a stall";
    EXPECT_TRUE(missed.missed);
    EXPECT_EQ(m_watch.Forget(), 1u);
    EXPECT_TRUE(m_watch.Free());
}

}  // namespace
