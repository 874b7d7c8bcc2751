// The device's number-like queries and their reply blocks: a percentage, three
// dotted numbers, a status word and a playing time.
#pragma once

#include <string_view>

#include "handlers/EventBlock.h"

// Event 12: {0x04, 0x4C, 0x82, 0x00, v}, v = the low 8 bits of x * 255 / 100
// for the unsigned number x, the product wrapping at 32 bits.
EventBlock PercentageReplyBlock(std::string_view text);

// Event 104: for "a.b.c", {0x06, 0x4D, 0x82, bcd a, bcd b, bcd (c / 100),
// bcd (c % 100)}, each of a, b, c / 100, c % 100 first cut to its low 8 bits.
// c runs to the end of the text, further dots included. Without two dots all
// three are 0; the status stays "ok" either way.
EventBlock DottedNumbersReplyBlock(std::string_view text);

// Event 106: {0x02, 0x4A, 0x82 for "ok", 0x83 for "error", 0x81 otherwise}.
EventBlock StatusWordReplyBlock(std::string_view text);

// Event 109: {0x05, 0x47, 0x82, bcd hours, bcd minutes, bcd seconds} of a
// time in milliseconds; {0x05, 0x47, 0x81, 0, 0, 0} for "not_playing". Hours
// are not limited, the packed byte of 100 hours and more is what it falls to.
EventBlock PlayingTimeReplyBlock(std::string_view text);
