#include "tools/narration/BlockWords.h"

#include <cstdio>

namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    char pair[4];
    for (std::size_t at = 0; at < length; ++at) {
        std::snprintf(pair, sizeof pair, at == 0 ? "%02x" : " %02x", bytes[at]);
        text += pair;
    }
    return text;
}

std::string Byte(std::uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", value);
    return text;
}

std::string StateWords(std::uint8_t code, std::uint8_t value)
{
    switch (code) {
    case 0xA1: {
        std::string flags;
        const char* names[] = {"title", "album number", "a next track", "artist"};
        for (int bit = 0; bit < 4; ++bit)
            if (value & (1 << bit))
                flags += (flags.empty() ? "" : ", ") + std::string(names[bit]);
        return "track has: " + (flags.empty() ? std::string("nothing") : flags);
    }
    case 0xA2:
        switch (value) {
        case 0x00: return "state: stopped";
        case 0x01: return "state: playing";
        case 0x04: return "state: paused";
        case 0x20: return "link: the program reads the remote";
        case 0x21: return "link: the program stopped reading the remote (or asks for the hardware id)";
        default: return "state: " + Byte(value);
        }
    case 0xA3:
        return value == 0x01 ? "sound: silent" : "sound: audible";
    case 0xA6:
        return "volume " + std::to_string(PercentOfLevel(value));
    case 0xA8:
        return value == 0x02 ? "repeat on" : "repeat off";
    case 0xA9:
        switch (value) {
        case 0x00: return "transport: normal (shuffle off)";
        case 0x01: return "transport: shuffle";
        case 0x02: return "transport: seeking forward";
        case 0x03: return "transport: seeking backward";
        case 0x20: return "jukebox: launched";
        case 0x21: return "jukebox: closed";
        default: return "transport: " + Byte(value);
        }
    default:
        return "state " + Byte(code) + ": " + Byte(value);
    }
}

const char* QueryName(std::uint8_t code)
{
    switch (code) {
    case 0x18: return "the track key";
    case 0x40: return "the album query";
    case 0x41: return "the artist query";
    case 0x42: return "the title query";
    case 0x46: return "the next-title query";
    case 0x47: return "the time query";
    case 0x4A: return "the status query";
    case 0x4C: return "the volume query";
    case 0x4D: return "the version query";
    case 0x4E: return "the genre query";
    case 0x4F: return "the module-information key";
    case 0x52: return "the path query";
    default: return nullptr;
    }
}

std::string StatusWord(std::uint8_t status)
{
    switch (status) {
    case 0x81: return "unavailable";
    case 0x82: return "ok";
    case 0x83: return "error";
    default: return "status " + Byte(status);
    }
}

std::string ReplyData(std::uint8_t code, const std::uint8_t* data, std::size_t length)
{
    switch (code) {
    case 0x47:
        if (length == 3) {
            char clock[32];
            std::snprintf(clock, sizeof clock, "%d:%02d:%02d", FromPackedDecimal(data[0]),
                          FromPackedDecimal(data[1]), FromPackedDecimal(data[2]));
            return clock;
        }
        break;
    case 0x4C:
        if (length == 2)
            return std::to_string(PercentOfLevel(data[1]));
        break;
    case 0x4D:
        if (length == 4)
            return std::to_string(FromPackedDecimal(data[0])) + "." + std::to_string(FromPackedDecimal(data[1])) +
                   "." + std::to_string(FromPackedDecimal(data[2]) * 100 + FromPackedDecimal(data[3]));
        break;
    case 0x4F:
        return Hex(data, length);
    default:
        return "\"" + ModuleTextToUtf8(data, length) + "\"";
    }
    return Hex(data, length);
}

}  // namespace

int FromPackedDecimal(std::uint8_t value)
{
    return (value >> 4) * 10 + (value & 0x0F);
}

int PercentOfLevel(std::uint8_t level)
{
    return (level * 100 + 127) / 255;
}

std::string ModuleTextToUtf8(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    for (std::size_t at = 0; at < length; ++at) {
        const std::uint8_t byte = bytes[at];
        if (byte >= 0x20 && byte < 0x7F) {
            text += static_cast<char>(byte);
        } else if (byte >= 0xA0) {
            // Latin-1 agrees with the usual Western code page from 0xA0 on.
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        }
    }
    return text;
}

std::string DescribeBlock(const std::uint8_t* bytes, std::size_t length)
{
    if (length == 40 && bytes[0] == 0x29 && bytes[1] == 0x50)
        return "test block: " + StatusWord(bytes[2]) + ", \"" + ModuleTextToUtf8(bytes + 3, 11) + "\"";
    if (length < 3 || bytes[0] != length - 1)
        return "block of " + std::to_string(length) + " bytes: " + Hex(bytes, length);
    if (length == 3 && bytes[1] >= 0xA1 && bytes[1] <= 0xA9)
        return StateWords(bytes[1], bytes[2]);

    const char* query = QueryName(bytes[1]);
    std::string words = query ? std::string("reply to ") + query : "reply to key " + std::to_string(bytes[1]);
    words += ": " + StatusWord(bytes[2]);
    if (length > 3 && !(bytes[1] == 0x47 && bytes[2] == 0x81))
        words += ", " + ReplyData(bytes[1], bytes + 3, length - 3);
    return words;
}
