// Which flags a conversion from wide text into an ANSI code page may take.
// Free of Windows.
#pragma once

#include <cstdint>

// The conversion flag that makes a character the code page lacks become its
// default character instead of a look-alike.
constexpr std::uint32_t kNoBestFitChars = 0x400;

// kNoBestFitChars for the code pages that accept it; 0 for those that take
// no flags (UTF-8 and GB 18030 among them, which lack no character anyway),
// where Windows would refuse the conversion.
std::uint32_t AnsiConversionFlags(std::uint32_t codePage);
