// The interface keys the system writes under DeviceClasses for each device
// it has seen; the program reads their DeviceInstance value to recognise the
// remote. The system keeps them after an unplug; we remove ours when the
// simulator goes.
#pragma once

#include <string>
#include <vector>

class DeviceClassKeys
{
public:
    DeviceClassKeys() = default;
    ~DeviceClassKeys();
    DeviceClassKeys(const DeviceClassKeys&) = delete;
    DeviceClassKeys& operator=(const DeviceClassKeys&) = delete;

    // Writes the value under HKEY_LOCAL_MACHINE\key; false on failure.
    bool Write(const std::string& key, const std::string& deviceInstance);

private:
    std::vector<std::string> m_keys;
};
