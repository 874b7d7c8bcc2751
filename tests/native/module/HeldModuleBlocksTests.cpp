#include "module/HeldModuleBlocks.h"

#include <gmock/gmock.h>

#include <vector>

namespace {

ModuleWriteRecord Block(std::vector<unsigned char> bytes)
{
    ModuleWriteRecord block;
    block.length = static_cast<std::uint32_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.data);
    return block;
}

std::vector<unsigned char> Bytes(const ModuleWriteRecord& block)
{
    return {block.data, block.data + block.length};
}

std::vector<std::vector<unsigned char>> TakeAll(HeldModuleBlocks& held)
{
    std::vector<std::vector<unsigned char>> blocks;
    while (!held.Empty())
        blocks.push_back(Bytes(held.TakeOldest()));
    return blocks;
}

TEST(HeldModuleBlocksTest, ANewerStateTakesTheHeldOneOfItsCodeToTheBackWhileEveryReplyStays)
{
    HeldModuleBlocks held;
    held.Hold(Block({0x02, 0xA6, 0x19}));
    held.Hold(Block({0x02, 0x19, 0x81}));
    held.Hold(Block({0x02, 0xA2, 0x01}));
    held.Hold(Block({0x02, 0x19, 0x81}));
    const HeldModuleBlocks::Displaced displaced = held.Hold(Block({0x02, 0xA6, 0x33}));
    ASSERT_TRUE(displaced.replaced);
    EXPECT_THAT(Bytes(*displaced.replaced), ::testing::ElementsAre(0x02, 0xA6, 0x19));
    EXPECT_FALSE(displaced.dropped);
    EXPECT_THAT(TakeAll(held), ::testing::ElementsAre(std::vector<unsigned char>{0x02, 0x19, 0x81},
                                                      std::vector<unsigned char>{0x02, 0xA2, 0x01},
                                                      std::vector<unsigned char>{0x02, 0x19, 0x81},
                                                      std::vector<unsigned char>{0x02, 0xA6, 0x33}));
}

TEST(HeldModuleBlocksTest, TheEventsThatShareAStateCodeAreNeverTakenForAStaleState)
{
    HeldModuleBlocks held;
    held.Hold(Block({0x02, 0xA2, 0x21}));  // the hardware id asked for
    held.Hold(Block({0x02, 0xA9, 0x20}));  // the jukebox launched
    EXPECT_FALSE(held.Hold(Block({0x02, 0xA2, 0x01})).replaced);
    EXPECT_FALSE(held.Hold(Block({0x02, 0xA9, 0x01})).replaced);
    EXPECT_FALSE(held.Hold(Block({0x02, 0xA2, 0x20})).replaced);
    EXPECT_EQ(TakeAll(held).size(), 5u);
}

TEST(HeldModuleBlocksTest, WhenFullTheOldestGivesWay)
{
    HeldModuleBlocks held;
    for (unsigned char i = 0; i < HeldModuleBlocks::kCapacity; ++i)
        EXPECT_FALSE(held.Hold(Block({0x03, 0x48, 0x81, i})).dropped);
    const HeldModuleBlocks::Displaced displaced = held.Hold(Block({0x03, 0x48, 0x81, 0xFF}));
    ASSERT_TRUE(displaced.dropped);
    EXPECT_THAT(Bytes(*displaced.dropped), ::testing::ElementsAre(0x03, 0x48, 0x81, 0x00));
    EXPECT_THAT(Bytes(held.TakeOldest()), ::testing::ElementsAre(0x03, 0x48, 0x81, 0x01));
    EXPECT_EQ(held.DropAll(), HeldModuleBlocks::kCapacity - 1);
    EXPECT_TRUE(held.Empty());
}

}  // namespace
