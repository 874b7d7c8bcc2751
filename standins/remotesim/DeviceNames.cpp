#include "standins/remotesim/DeviceNames.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr char kHidClassText[] = "{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// "VID_0471&PID_0110[&MI_01]"
std::string HardwarePart(const SimulatedDeviceSpec& spec)
{
    char ids[32];
    std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", spec.vendorId, spec.productId);
    std::string part = ids;
    if (!spec.interfaceTag.empty())
        part += "&" + Upper(spec.interfaceTag);
    return part;
}

}  // namespace

DeviceNames MakeDeviceNames(const SimulatedDeviceSpec& spec, const std::string& serial)
{
    const std::string hardware = HardwarePart(spec);
    DeviceNames names;
    names.broadcastName = "\\\\?\\HID#" + hardware + "#" + Lower(serial) + "#" + kHidClassText;
    names.pipeName = Lower("hid#" + hardware + "#" + serial + "#" + kHidClassText);
    names.devicePath = "\\\\.\\pipe\\" + names.pipeName;
    names.registryKey = DeviceClassKey(names.broadcastName);
    names.deviceInstance = "HID\\" + hardware + "\\" + Upper(serial);
    return names;
}

std::string DeviceClassKey(const std::string& interfaceName)
{
    std::string key = interfaceName;
    std::replace(key.begin(), key.end(), '\\', '#');
    return std::string("System\\CurrentControlSet\\Control\\DeviceClasses\\") + kHidClassText + "\\" + key;
}
