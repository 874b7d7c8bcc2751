#include "handlers/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::uint32_t kUMax = std::numeric_limits<std::uint32_t>::max();

struct NumberCase
{
    std::string text;
    std::int32_t asSigned;
    std::uint32_t asUnsigned;
};

const NumberCase kCases[] = {
    {"", 0, 0},
    {"   ", 0, 0},
    {"abc", 0, 0},
    {"0", 0, 0},
    {"7", 7, 7},
    {"007", 7, 7},
    {"12abc", 12, 12},
    {"3.5", 3, 3},
    {"0x10", 0, 0},
    {" \t\n\v\f\r42", 42, 42},
    {"+5", 5, 5},
    {"-1", -1, 0},
    {"-0", 0, 0},
    {"+", 0, 0},
    {"-", 0, 0},
    {"- 5", 0, 0},
    {"+-5", 0, 0},
    {"5 6", 5, 5},
    {"x5", 0, 0},
    {"2147483647", kMax, 2147483647u},
    {"2147483648", kMax, 2147483648u},
    {"-2147483648", kMin, 0},
    {"-2147483649", kMin, 0},
    {"4294967295", kMax, kUMax},
    {"4294967296", kMax, kUMax},
    {"99999999999999999999999999999999", kMax, kUMax},
    {"-99999999999999999999999999999999", kMin, 0},
    {"00000000000000000000000000000012", 12, 12},
    {std::string("9\0" "9", 3), 9, 9},
    {"\xA0" "5", 0, 0},  // a no-break space of the code page is not white space
};

TEST(NumberTextTest, ReadsTheNumberAtTheStartLikeAStreamExtraction)
{
    for (const NumberCase& number : kCases) {
        SCOPED_TRACE("text \"" + number.text + "\"");
        EXPECT_EQ(ReadSigned32(number.text), number.asSigned);
        EXPECT_EQ(ReadUnsigned32(number.text), number.asUnsigned);
    }
}

// The signed read is meant to match the standard library's extraction of a
// 32-bit integer into a variable that starts at 0 (a text of only white space
// leaves it untouched), including the saturation on overflow.
TEST(NumberTextTest, SignedReadAgreesWithTheStandardExtraction)
{
    for (const NumberCase& number : kCases) {
        std::istringstream stream(number.text);
        std::int32_t extracted = 0;
        stream >> extracted;
        EXPECT_EQ(ReadSigned32(number.text), extracted) << "text \"" << number.text << "\"";
    }
}

}  // namespace
