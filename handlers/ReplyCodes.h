// The code byte of each query answer: the code of the remote key whose query
// the event answers, so the device can tell the replies apart.
#pragma once

namespace ReplyCode {
constexpr unsigned char kPercentage = 0x4C;    // event 12
constexpr unsigned char kText100 = 0x42;       // event 100
constexpr unsigned char kText101 = 0x41;       // event 101
constexpr unsigned char kText102 = 0x40;       // event 102
constexpr unsigned char kDottedNumbers = 0x4D; // event 104
constexpr unsigned char kText105 = 0x4E;       // event 105
constexpr unsigned char kStatusWord = 0x4A;    // event 106
constexpr unsigned char kText107 = 0x46;       // event 107
constexpr unsigned char kPath = 0x52;          // event 108
constexpr unsigned char kPlayingTime = 0x47;   // event 109
}  // namespace ReplyCode
