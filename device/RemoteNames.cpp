#include "device/RemoteNames.h"

#include <algorithm>

namespace {

constexpr unsigned long kPlatformNt = 2;
constexpr unsigned long kPlatformCe = 3;

constexpr char kDeviceClassesKey[] =
    "System\\CurrentControlSet\\Control\\DeviceClasses\\{4d1e55b2-f16f-11cf-88cb-001111000030}\\";

}  // namespace

int ClassifyVersion(unsigned long platformId, unsigned long major, unsigned long minor)
{
    if (platformId == kPlatformCe)
        return 201;
    if (platformId != kPlatformNt)
        return 0;
    if (major == 3 && minor == 51)
        return 101;
    if (major == 4 && minor == 0)
        return 102;
    if (major == 5 && minor == 0)
        return 103;
    if (major == 5 && minor == 1)
        return 104;
    return 0;
}

bool NamesRemoteIds(std::string_view text)
{
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lowered.find("vid_0471") != std::string::npos && lowered.find("pid_0110") != std::string::npos;
}

std::string DeviceClassesKeyFor(std::string_view interfaceName)
{
    std::string key(kDeviceClassesKey);
    for (const char c : interfaceName)
        key += c == '\\' ? '#' : c;
    return key;
}
