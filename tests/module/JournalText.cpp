#include "JournalText.h"

#include <algorithm>
#include <cstdio>

std::string DescribeRead(const RzmbGetMemEntry& entry)
{
    char text[32];
    std::snprintf(text, sizeof text, "%x+%x", static_cast<unsigned>(entry.address), static_cast<unsigned>(entry.length));
    return text;
}

std::string DescribeWrite(const RzmbSetMemEntry& entry)
{
    char head[32];
    std::snprintf(head, sizeof head, "%x: ", static_cast<unsigned>(entry.address));
    return head + HexBytes(entry.bytes, std::min<std::uint32_t>(entry.length, RZMB_RECORDED_BYTES));
}

std::string HexBytes(const unsigned char* bytes, std::uint32_t length)
{
    std::string text;
    for (std::uint32_t i = 0; i < length; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%s%02x", i == 0 ? "" : " ", static_cast<unsigned>(bytes[i]));
        text += byte;
    }
    return text;
}
