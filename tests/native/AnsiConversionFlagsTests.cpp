#include "jukebox/AnsiConversionFlags.h"

#include <gtest/gtest.h>

TEST(AnsiConversionFlagsTest, CodePagesThatTakeNoFlagsGetNone)
{
    for (const std::uint32_t codePage : {65001u, 54936u, 65000u, 50220u, 57002u, 57011u, 42u})
        EXPECT_EQ(AnsiConversionFlags(codePage), 0u) << codePage;
    for (const std::uint32_t codePage : {1252u, 1251u, 932u, 936u, 437u, 57001u, 57012u})
        EXPECT_EQ(AnsiConversionFlags(codePage), kNoBestFitChars) << codePage;
}
