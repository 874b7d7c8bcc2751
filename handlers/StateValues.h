// The value bytes of the jukebox's state notifications (events 1 to 7) and
// the three-byte state block that carries one to the device module. What the
// jukebox means by its letters and numbers is its own affair; these rules fix
// only how each text becomes a byte. Words match only the exact text, byte
// for byte and case-sensitive; letters are searched for anywhere.
#pragma once

#include <string_view>

#include "handlers/EventBlock.h"

namespace StateCode {
constexpr unsigned char kFlagLetters = 0xA1;  // event 1
constexpr unsigned char kPlayState = 0xA2;    // event 2
constexpr unsigned char kZeroNumber = 0xA3;   // event 4
constexpr unsigned char kPercentage = 0xA6;   // event 5
constexpr unsigned char kLetterR = 0xA8;      // event 3
constexpr unsigned char kTransport = 0xA9;    // events 6 and 7
}  // namespace StateCode

// Event 1: 0x01 for a "t", 0x02 for a "#", 0x04 for an "n", 0x08 for an "a",
// OR-ed together.
unsigned char FlagLettersValue(std::string_view text);
// Event 2: "stopped" 0x00, "playing" 0x01, "paused" 0x04, anything else 0x00.
unsigned char PlayStateValue(std::string_view text);
// Event 3: 0x02 if the text holds a small "r", else 0x00.
unsigned char LetterRValue(std::string_view text);
// Event 4: 0x01 if the number read is 0 (so also for no number), else 0x00.
unsigned char ZeroNumberValue(std::string_view text);
// Event 5: a percentage scaled to 0..255: x * 255 / 100 in signed 32-bit
// arithmetic that wraps, truncating toward zero, low 8 bits.
unsigned char PercentageValue(std::string_view text);
// Event 6: "launched" 0x20, "closed" 0x21, anything else 0x00.
unsigned char LaunchStateValue(std::string_view text);
// Event 7: "seek_forward" 0x02, "seek_backward" 0x03, "shuffle" 0x01, anything
// else 0x00.
unsigned char TransportModeValue(std::string_view text);

// {0x02, code, value}.
EventBlock StateEventBlock(unsigned char code, unsigned char value);
