#include "app/EventLogFile.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(EventLogFileTest, LineIsTimeTabDetailsCrLf)
{
    EXPECT_EQ(FormatEventLogLine("09:05:03", "Command to Cantora: 1"), "09:05:03\tCommand to Cantora: 1\r\n");
}

TEST(EventLogFileTest, EmptyDetailsEndTheLineWithTheTab)
{
    EXPECT_EQ(FormatEventLogLine("09:05:03", ""), "09:05:03\t\r\n");
}

TEST(EventLogFileTest, LineFeedsInsideBecomeLineEndsAndNothingElseIsEscaped)
{
    EXPECT_EQ(FormatEventLogLine("12:00:00", "a\tb\nc\r\nd\x01\xFF"), "12:00:00\ta\tb\r\nc\r\r\nd\x01\xFF\r\n");
}

TEST(EventLogFileTest, WritesEachLineWhole)
{
    std::ostringstream file;
    WriteEventLogLine(file, "00:00:01", "first");
    WriteEventLogLine(file, "00:00:02", "second");
    EXPECT_EQ(file.str(), "00:00:01\tfirst\r\n00:00:02\tsecond\r\n");
}
