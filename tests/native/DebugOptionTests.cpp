#include "app/DebugOption.h"

#include <gtest/gtest.h>

TEST(DebugOptionTest, IsAPlainCaseSensitiveSubstringSearch)
{
    EXPECT_TRUE(CommandLineRequestsDebugMode("C:\\VantrelRemote.exe -debug"));
    EXPECT_TRUE(CommandLineRequestsDebugMode("\"C:\\Program Files\\VantrelRemote.exe\" -debug"));
    EXPECT_TRUE(CommandLineRequestsDebugMode("VantrelRemote.exe -debugger"));
    EXPECT_TRUE(CommandLineRequestsDebugMode("C:\\a -debug dir\\VantrelRemote.exe"));
    EXPECT_TRUE(CommandLineRequestsDebugMode("VantrelRemote.exe /x -debug /y"));

    EXPECT_FALSE(CommandLineRequestsDebugMode("VantrelRemote.exe -DEBUG"));
    EXPECT_FALSE(CommandLineRequestsDebugMode("\"C:\\VantrelRemote.exe\"-debug"));
    EXPECT_FALSE(CommandLineRequestsDebugMode("VantrelRemote.exe\t-debug"));
    EXPECT_FALSE(CommandLineRequestsDebugMode("VantrelRemote.exe -debu"));
    EXPECT_FALSE(CommandLineRequestsDebugMode(""));
    EXPECT_FALSE(CommandLineRequestsDebugMode(nullptr));
}
