#include "crash/ExceptionNames.h"

#include <gtest/gtest.h>

TEST(ExceptionNamesTest, NamesTheWellKnownCodesAndOurs)
{
    EXPECT_STREQ(KnownExceptionName(0x80000001), "GUARD_PAGE");
    EXPECT_STREQ(KnownExceptionName(0xC0000005), "ACCESS_VIOLATION");
    EXPECT_STREQ(KnownExceptionName(0xC0000094), "INT_DIVIDE_BY_ZERO");
    EXPECT_STREQ(KnownExceptionName(0xC00000FD), "STACK_OVERFLOW");
    EXPECT_STREQ(KnownExceptionName(kUncaughtCppExceptionCode), "UNCAUGHT_CPP_EXCEPTION");
}

TEST(ExceptionNamesTest, LeavesOtherCodesToTheSystemText)
{
    for (const std::uint32_t code : {0u, 0xC0000135u, 0xC0000007u, 0x20474343u, 0xE06D7363u, 0xFFFFFFFFu})
        EXPECT_EQ(KnownExceptionName(code), nullptr) << std::hex << code;
}

TEST(ExceptionNamesTest, OnlyAContinuableHandlerSearchIsTheRuntimes)
{
    EXPECT_TRUE(IsCppHandlerSearch(0x20474343, 0));
    EXPECT_FALSE(IsCppHandlerSearch(0x20474343, 1));
    EXPECT_FALSE(IsCppHandlerSearch(0x21474343, 0));
    EXPECT_FALSE(IsCppHandlerSearch(kUncaughtCppExceptionCode, 1));
    EXPECT_FALSE(IsCppHandlerSearch(0xC0000005, 0));
}
