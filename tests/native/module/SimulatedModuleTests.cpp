// The module side of our module library: what a test or simulator relies on.
#include "standins/rzmb/SimulatedModule.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "JournalText.h"

namespace {

class SimulatedModuleTest : public ::testing::Test
{
protected:
    bool Write(std::uint32_t address, std::vector<unsigned char> bytes)
    {
        return m_module->SetMem(address, static_cast<std::uint32_t>(bytes.size()), bytes.data());
    }

    // Data, count and doorbell, as the program delivers a block.
    void Deliver(std::vector<unsigned char> block)
    {
        ASSERT_TRUE(Write(0xA4F4, block));
        ASSERT_TRUE(Write(0xA4F2, {0x00}));
        ASSERT_TRUE(Write(0xB0A0, {0xC0}));
    }

    unsigned char Count()
    {
        unsigned char count = 0xEE;
        EXPECT_TRUE(m_module->GetMem(0xA4F2, 1, &count));
        return count;
    }

    std::vector<unsigned char> Block(std::uint32_t index)
    {
        RzmbBlockEntry entry{};
        EXPECT_TRUE(m_module->blockJournal.At(index, entry));
        return {entry.bytes, entry.bytes + RecordedBytes(entry)};
    }

    std::unique_ptr<SimulatedModule> m_module = std::make_unique<SimulatedModule>();
};

TEST_F(SimulatedModuleTest, TheDoorbellTakesTheLastOutboxWriteWithItsLength)
{
    std::vector<unsigned char> testBlock(40, 0x00);
    testBlock[0] = 0x29;  // the count byte does not say 39
    testBlock[1] = 0x50;
    ASSERT_TRUE(Write(0xA4F4, std::vector<unsigned char>(60, 0xAA)));
    Deliver(testBlock);
    ASSERT_EQ(m_module->blockJournal.total, 1u);
    EXPECT_EQ(Block(0), testBlock);
    EXPECT_EQ(Count(), 40);
}

TEST_F(SimulatedModuleTest, AHeldCountMovesOnlyWhenAdvanced)
{
    ASSERT_TRUE(m_module->SetOutboxMode(RzmbOutboxHold, 0));
    Deliver({0x03, 0x48, 0x81, 0x00});
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Count(), 0);
    m_module->AdvanceOutbox(3);
    EXPECT_EQ(Count(), 3);
    m_module->AdvanceOutbox(100);
    EXPECT_EQ(Count(), 4) << "never beyond the block's length";
}

TEST_F(SimulatedModuleTest, AStepCountMovesAtEachReadOfTheCount)
{
    ASSERT_TRUE(m_module->SetOutboxMode(RzmbOutboxStep, 2));
    Deliver({0x04, 0x4C, 0x82, 0x00, 0x80});
    unsigned char other[2];
    ASSERT_TRUE(m_module->GetMem(0xA4C1, 2, other));  // reads elsewhere do not move it
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Count(), 4);
    EXPECT_EQ(Count(), 5);
    EXPECT_EQ(Count(), 5);
}

TEST_F(SimulatedModuleTest, ADelayedModuleTakesEachBlockItsDelayAfterTheDoorbellAndCountsBlocksWrittenOver)
{
    ASSERT_TRUE(m_module->SetOutboxMode(RzmbOutboxDelayed, 60));
    m_module->CatchUp(1'000'000);
    Deliver({0x02, 0xA6, 0x19});
    m_module->CatchUp(1'059'999);
    EXPECT_EQ(Count(), 0);
    m_module->CatchUp(1'060'000);
    EXPECT_EQ(Count(), 3);

    Deliver({0x02, 0x19, 0x81});
    m_module->CatchUp(1'090'000);
    Deliver({0x02, 0x19, 0x81});  // 30 ms after the last doorbell, before the take
    EXPECT_EQ(m_module->OverwrittenWithin(30'001), 1u);
    EXPECT_EQ(m_module->OverwrittenWithin(30'000), 0u) << "the age is counted from the doorbell";
    m_module->CatchUp(1'150'000);
    EXPECT_EQ(Count(), 3);
}

TEST_F(SimulatedModuleTest, AHeldModuleSwitchedToADelayTakesItsWaitingBlockThatDelayLater)
{
    ASSERT_TRUE(m_module->SetOutboxMode(RzmbOutboxHold, 0));
    m_module->CatchUp(1'000'000);
    Deliver({0x02, 0x19, 0x81});
    m_module->CatchUp(2'000'000);
    ASSERT_TRUE(m_module->SetOutboxMode(RzmbOutboxDelayed, 60));
    m_module->CatchUp(2'059'999);
    EXPECT_EQ(Count(), 0);
    m_module->CatchUp(2'060'000);
    EXPECT_EQ(Count(), 3);
}

TEST_F(SimulatedModuleTest, TheCountOfTheLargestBlockStopsAt255)
{
    Deliver(std::vector<unsigned char>(256, 0x01));
    EXPECT_EQ(Count(), 255);
    EXPECT_EQ(m_module->blockJournal.entries[0].length, 256u);
}

TEST_F(SimulatedModuleTest, FailuresComeAfterTheGivenNumberOfSuccesses)
{
    m_module->FailWrites(1, 2);
    EXPECT_TRUE(Write(0x0100, {0x01}));
    EXPECT_FALSE(Write(0x0101, {0x02}));
    EXPECT_FALSE(Write(0x0102, {0x03}));
    EXPECT_TRUE(Write(0x0103, {0x04}));
    unsigned char bytes[4] = {};
    ASSERT_TRUE(m_module->Peek(0x0100, 4, bytes));
    EXPECT_THAT(bytes, ::testing::ElementsAre(0x01, 0x00, 0x00, 0x04)) << "failed writes change nothing";

    m_module->FailReads(0, 1);
    unsigned char read = 0x77;
    EXPECT_FALSE(m_module->GetMem(0x0100, 1, &read));
    EXPECT_EQ(read, 0x77) << "a failed read leaves the buffer alone";
    EXPECT_TRUE(m_module->GetMem(0x0100, 1, &read));
    EXPECT_EQ(read, 0x01);
}

TEST_F(SimulatedModuleTest, RandomFailuresComeAtTheirRateAreCountedAndRepeatWithTheSeed)
{
    const auto failures = [&](std::uint32_t perMille, std::uint32_t seed) {
        m_module->FailAtRandom(perMille, seed);
        std::vector<bool> failed;
        unsigned char byte = 0;
        for (int call = 0; call < 1000; ++call)
            failed.push_back(call % 2 == 0 ? !Write(0x0100, {0x01}) : !m_module->GetMem(0x0100, 1, &byte));
        return failed;
    };
    const std::vector<bool> first = failures(200, 7);
    const auto count = std::count(first.begin(), first.end(), true);
    EXPECT_GT(count, 120);
    EXPECT_LT(count, 280);
    EXPECT_EQ(m_module->injectedFailures, static_cast<std::uint32_t>(count));
    EXPECT_EQ(failures(200, 7), first);
    const std::vector<bool> none = failures(0, 7);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

TEST_F(SimulatedModuleTest, CallsOutsideTheModuleFailAndTouchNothing)
{
    unsigned char buffer[4] = {0x11, 0x22, 0x33, 0x44};
    EXPECT_FALSE(m_module->GetMem(0xFFFE, 4, buffer));
    EXPECT_FALSE(m_module->GetMem(0x10000, 1, buffer));
    EXPECT_FALSE(m_module->GetMem(0x0000, 0xFFFFFFFF, buffer));
    EXPECT_FALSE(m_module->SetMem(0xFFFFFFFF, 2, buffer));
    EXPECT_FALSE(m_module->SetMem(0x0000, 1, nullptr));
    EXPECT_FALSE(m_module->GetMem(0x0000, 1, nullptr));
    EXPECT_THAT(buffer, ::testing::ElementsAre(0x11, 0x22, 0x33, 0x44));
    EXPECT_TRUE(m_module->GetMem(0xFFFC, 4, buffer)) << "the last bytes are in reach";
    EXPECT_TRUE(m_module->SetMem(0x10000, 0, nullptr)) << "nothing at the end is nothing";

    ASSERT_EQ(m_module->setMemJournal.total, 3u);
    EXPECT_EQ(m_module->setMemJournal.entries[0].succeeded, 0u);
    EXPECT_EQ(m_module->setMemJournal.entries[2].succeeded, 1u);
}

TEST_F(SimulatedModuleTest, JournalsKeepTheMostRecentEntriesByIndex)
{
    for (std::uint32_t i = 0; i < 4096 + 10; ++i)
        m_module->GetMem(i, 1, &m_module->memory[0x8000]);
    RzmbGetMemEntry entry{};
    EXPECT_FALSE(m_module->getMemJournal.At(9, entry)) << "replaced";
    ASSERT_TRUE(m_module->getMemJournal.At(10, entry));
    EXPECT_EQ(entry.address, 10u);
    ASSERT_TRUE(m_module->getMemJournal.At(4096 + 9, entry));
    EXPECT_EQ(entry.address, 4096u + 9);
    EXPECT_FALSE(m_module->getMemJournal.At(4096 + 10, entry)) << "not yet written";
}

}  // namespace
