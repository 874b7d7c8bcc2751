#include "jukebox/AnsiToBstr.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/UniqueBstr.h"

TEST(AnsiToBstrTest, EmptyTextIsAnEmptyBstrNotNull)
{
    UniqueBstr text(AnsiToBstr(""));
    ASSERT_NE(text.Get(), nullptr);
    EXPECT_EQ(::SysStringLen(text.Get()), 0u);
}

TEST(AnsiToBstrTest, CharactersPassThroughTheAnsiCodePage)
{
    // Code page 1252 here: 0xE9 is e acute, 0x80 the euro sign.
    UniqueBstr text(AnsiToBstr("caf\xE9 \x80"));
    ASSERT_NE(text.Get(), nullptr);
    EXPECT_EQ(std::wstring(text.Get(), ::SysStringLen(text.Get())), L"caf\u00E9 \u20AC");
}

TEST(AnsiToBstrTest, KeepsEveryCharacterOfLongTexts)
{
    const std::string source(70000, 'z');
    UniqueBstr text(AnsiToBstr(source.c_str()));
    ASSERT_NE(text.Get(), nullptr);
    EXPECT_EQ(::SysStringLen(text.Get()), source.size());
    EXPECT_EQ(text.Get()[source.size()], L'\0');
}
