#include "module/ModuleWriteLine.h"

#include <gmock/gmock.h>

#include "module/ModuleBlocks.h"

namespace {

TEST(ModuleWriteLineTest, ShowsAddressLengthAndEveryByteInLowerCaseHex)
{
    const unsigned char stateBlock[] = {0x02, 0xA2, 0x01};
    EXPECT_EQ(FormatModuleWriteLine(0xA4F4, 3, stateBlock), "RzmaSetMem: a4f4, 3 :02 a2 01 ");
    const unsigned char doorbell = 0xC0;
    EXPECT_EQ(FormatModuleWriteLine(0xB0A0, 1, &doorbell), "RzmaSetMem: b0a0, 1 :c0 ");
}

TEST(ModuleWriteLineTest, TheTestBlockShowsItsLengthInHex)
{
    const TestReplyBlock block = MakeTestReply();
    const std::string line = FormatModuleWriteLine(0xA4F4, static_cast<std::uint32_t>(block.size()), block.data());
    EXPECT_THAT(line, ::testing::StartsWith("RzmaSetMem: a4f4, 28 :29 50 82 72 61 6e "));
    EXPECT_EQ(line.size(), std::string("RzmaSetMem: a4f4, 28 :").size() + 3 * 40);
    EXPECT_THAT(line, ::testing::EndsWith(" 00 00 "));
}

}  // namespace
