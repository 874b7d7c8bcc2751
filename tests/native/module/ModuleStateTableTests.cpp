#include "module/ModuleStateTable.h"

#include <gmock/gmock.h>

namespace {

constexpr unsigned char kCachedCodes[] = {0xA1, 0xA2, 0xA3, 0xA6, 0xA8};

TEST(ModuleStateTableTest, EachCachedCodeKeepsItsLastValue)
{
    ModuleStateTable table;
    unsigned char value = 0x10;
    for (unsigned char code : kCachedCodes)
        EXPECT_TRUE(table.Store(code, value++));
    EXPECT_TRUE(table.Store(0xA2, 0x04));
    EXPECT_EQ(table.Answer(0xA1), 0x10);
    EXPECT_EQ(table.Answer(0xA2), 0x04);
    EXPECT_EQ(table.Answer(0xA3), 0x12);
    EXPECT_EQ(table.Answer(0xA6), 0x13);
    EXPECT_EQ(table.Answer(0xA8), 0x14);
}

TEST(ModuleStateTableTest, OtherCodesAreNotStoredAndA4IsNeverAnswered)
{
    ModuleStateTable table;
    for (unsigned char code : {0x00, 0xA4, 0xA5, 0xA7, 0xA9, 0xFF})
        EXPECT_FALSE(table.Store(code, 0x55)) << std::hex << static_cast<int>(code);
    EXPECT_EQ(table.Answer(0xA4), std::nullopt);
    EXPECT_EQ(table.Answer(0xA5), 0);
    // The cached codes still answer as a fresh table does.
    for (unsigned char code : kCachedCodes)
        EXPECT_EQ(table.Answer(code), 0) << std::hex << static_cast<int>(code);
}

}  // namespace
