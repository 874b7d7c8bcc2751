// Numbers in the jukebox's event texts, read the way a stream extraction of a
// 32-bit integer reads them: leading white space is skipped (space, tab, line
// feed, vertical tab, form feed, carriage return), then an optional sign and
// the decimal digits up to the first character that is not a digit. A text
// that does not start with a number in that sense gives 0.
//
// A number beyond the type's range gives the nearest value the type holds, as
// a standard stream extraction stores it: the signed read saturates at
// INT32_MIN and INT32_MAX, the unsigned read at 0 (any negative number) and
// UINT32_MAX. Saturating keeps "huge" huge and "negative" small, where
// wrapping would turn a large percentage into a small one at random.
#pragma once

#include <cstdint>
#include <string_view>

// The white space a stream extraction skips; text replies trim the same set.
constexpr bool IsStreamWhiteSpace(char character)
{
    return character == ' ' || character == '\t' || character == '\n' || character == '\v' || character == '\f' ||
           character == '\r';
}

std::int32_t ReadSigned32(std::string_view text);
std::uint32_t ReadUnsigned32(std::string_view text);
