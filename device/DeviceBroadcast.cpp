#include "device/DeviceBroadcast.h"

#include <cstring>

namespace {

std::uint32_t ReadWord(const unsigned char* at)
{
    std::uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

}  // namespace

std::optional<std::string> InterfaceNameFromBroadcast(const unsigned char* broadcast)
{
    if (broadcast == nullptr)
        return std::nullopt;
    const std::uint32_t size = ReadWord(broadcast);
    if (size <= kBroadcastNameOffset + 1 || size > kMaxBroadcastSize)
        return std::nullopt;
    if (ReadWord(broadcast + 4) != kDeviceInterfaceBroadcastType)
        return std::nullopt;
    const char* name = reinterpret_cast<const char*>(broadcast + kBroadcastNameOffset);
    const std::size_t room = size - kBroadcastNameOffset;
    const void* end = std::memchr(name, '\0', room);
    if (end == nullptr || end == name)
        return std::nullopt;
    return std::string(name, static_cast<const char*>(end));
}
