// Text answers to the device's queries (titles, names, paths). At most 255
// bytes of an answer are looked at and the device shows at most 37, so a
// reply is at most 40 bytes long.
#pragma once

#include <string_view>

#include "handlers/EventBlock.h"

// {n + 2, code, 0x82 if n > 0 else 0x81, n text bytes}: the text's first 255
// bytes, without trailing white space, then without any double quote, cut to
// 37 bytes (bytes, not characters). Trimming comes before the quotes go, so a
// closing quote protects the blanks before it.
EventBlock TextReplyBlock(std::string_view text, unsigned char code);

// A path-like answer (event 108) before it becomes a text reply: a network
// path (two leading backslashes) stays as it is; anything else loses its
// first byte (the opening quote of a quoted path) and ends before the next
// double quote.
std::string_view PathReplyText(std::string_view text);
