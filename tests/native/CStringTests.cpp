#include "framework/String.h"

#include <gtest/gtest.h>

#include <string>

TEST(CStringTest, FormatsLikePrintf)
{
    CString text;
    text.Format("Command to Cantora: %i  Data: %s", 203, "WmAppcommand=0");
    EXPECT_STREQ(text, "Command to Cantora: 203  Data: WmAppcommand=0");
    text.Format("%x, %.2x ", 0xA4F4, 7);
    EXPECT_STREQ(text, "a4f4, 07 ");
}

TEST(CStringTest, FormatsTextsLongerThanAnyFixedBuffer)
{
    const std::string longText(100000, 'x');
    CString text;
    text.Format("<%s>", longText.c_str());
    EXPECT_EQ(text.GetLength(), 100002);
    EXPECT_EQ(text.Str(), "<" + longText + ">");
}

TEST(CStringTest, NullAndEmptyInputsGiveEmptyTexts)
{
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString("abc", 0).IsEmpty());
    CString text("old");
    text.Format(nullptr);
    EXPECT_TRUE(text.IsEmpty());
    text += static_cast<const char*>(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, KeepsEmbeddedBytesOfTheCodePage)
{
    const CString text("\xE9t\xE9", 3);
    EXPECT_EQ(text.GetLength(), 3);
    EXPECT_EQ(CString("a") + CString("\xE9"), CString("a\xE9"));
}
