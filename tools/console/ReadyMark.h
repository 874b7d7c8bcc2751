// The line by which the console's Windows side says it waits for the next
// command; the line editor in front of it prints its prompt then.
#pragma once

inline constexpr char kReadyMark[] = "\x1e" "ready";
