#include "framework/String.h"

#include <gtest/gtest.h>

#include "res/resource.h"

TEST(StringLoadTest, LoadsTheProgramsStrings)
{
    CString text("stale");
    EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
    EXPECT_STREQ(text, "&About VantrelRemote...");
}

TEST(StringLoadTest, MissingStringGivesEmptyText)
{
    CString text("stale");
    EXPECT_FALSE(text.LoadString(4711));
    EXPECT_TRUE(text.IsEmpty());
}
