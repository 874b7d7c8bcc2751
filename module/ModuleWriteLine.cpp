#include "module/ModuleWriteLine.h"

#include <cstdio>

std::string FormatModuleWriteLine(std::uint32_t address, std::uint32_t length, const unsigned char* bytes)
{
    char head[40];
    std::snprintf(head, sizeof head, "RzmaSetMem: %x, %x :", static_cast<unsigned>(address),
                  static_cast<unsigned>(length));
    std::string line(head);
    if (bytes == nullptr)
        return line;
    return line + FormatModuleBytes(length, bytes);
}

std::string FormatModuleBytes(std::uint32_t length, const unsigned char* bytes)
{
    std::string text;
    text.reserve(3 * static_cast<size_t>(length));
    for (std::uint32_t i = 0; i < length; ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%.2x ", static_cast<unsigned>(bytes[i]));
        text += byte;
    }
    return text;
}
