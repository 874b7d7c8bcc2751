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
    return head + HexBytes(entry.bytes, RecordedBytes(entry));
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

std::string HexBytes(const std::vector<unsigned char>& bytes)
{
    return HexBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

std::vector<unsigned char> TextReplyBytes(unsigned char code, const std::string& text)
{
    std::vector<unsigned char> block(text.size() + 3);
    block[0] = static_cast<unsigned char>(text.size() + 2);
    block[1] = code;
    block[2] = text.empty() ? 0x81 : 0x82;
    std::copy(text.begin(), text.end(), block.begin() + 3);
    return block;
}

std::string TextReplyHex(unsigned char code, const std::string& text)
{
    return HexBytes(TextReplyBytes(code, text));
}
