#include "jukebox/BstrToAnsi.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/UniqueBstr.h"

namespace {

std::string Converted(const std::wstring& text)
{
    UniqueBstr bstr(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    return BstrToAnsi(bstr.Get()).Str();
}

TEST(BstrToAnsiTest, ConvertsThroughTheAnsiCodePageUpToTheFirstNul)
{
    EXPECT_EQ(BstrToAnsi(nullptr).Str(), "");
    EXPECT_EQ(Converted(L""), "");
    EXPECT_EQ(Converted(L"playing"), "playing");
    EXPECT_EQ(Converted(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(Converted(std::wstring(L"\0cd", 3)), "");
    EXPECT_EQ(Converted(L"caf\u00E9 \u20AC"), "caf\xE9 \x80");
    EXPECT_EQ(Converted(L"\u4E2D!"), "?!");
    EXPECT_EQ(Converted(L"\u0101\u2212\uFF21"), "???") << "no look-alikes for what the code page lacks";
    EXPECT_EQ(Converted(std::wstring(100000, L'x')), std::string(100000, 'x'));
}

}  // namespace
