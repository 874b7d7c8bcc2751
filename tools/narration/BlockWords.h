// A block the program sent to the module, in words: "state: playing",
// "volume 35", "reply to the title query: ok, \"Paper Compass\"".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

std::string DescribeBlock(const std::uint8_t* bytes, std::size_t length);

// Module texts are in the system's ANSI code page; for a terminal, UTF-8 with
// anything unprintable as \xNN.
std::string ModuleTextToUtf8(const std::uint8_t* bytes, std::size_t length);

// A packed decimal byte as its value: 0x59 is 59.
int FromPackedDecimal(std::uint8_t value);
// A volume byte (0..255) as the percentage it came from.
int PercentOfLevel(std::uint8_t level);
