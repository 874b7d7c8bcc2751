#include "framework/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

class CTimeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

}  // namespace

TEST_F(CTimeTest, FormatsLocalTimeWithTwoDigitFields)
{
    // 2026-12-07 09:05:03 UTC
    EXPECT_STREQ(CTime(1796634303).Format("%H:%M:%S"), "09:05:03");
    EXPECT_STREQ(CTime(1796634303 + 15 * 3600).Format("%H:%M:%S"), "00:05:03");
}

TEST_F(CTimeTest, CurrentTimeIsNow)
{
    const std::time_t before = std::time(nullptr);
    const std::time_t now = CTime::GetCurrentTime().GetTime();
    EXPECT_GE(now, before);
    EXPECT_LE(now, std::time(nullptr));
}
