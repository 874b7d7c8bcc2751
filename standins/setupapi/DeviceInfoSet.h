// A device-information set as our substitute setupapi.dll makes it: a
// snapshot of the simulated HID interfaces present when it was made, so that
// plugs and unplugs do not move the indices of an enumeration under way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct DeviceInterface
{
    std::string devicePath;
    DWORD enumerationError;  // non-zero: its index fails with this error
};

class DeviceInfoSet
{
public:
    // The HID interfaces now (none when no simulator runs) when listsHid;
    // an empty set otherwise.
    static std::shared_ptr<DeviceInfoSet> Snapshot(bool listsHid);
    ~DeviceInfoSet();  // no longer counted as live
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;

    // 0 with the interface at index, else the error that index gives.
    DWORD InterfaceAt(DWORD index, const DeviceInterface*& found) const;
    // For an interface data's Reserved field, and back; null if unknown.
    ULONG_PTR Token(DWORD index) const { return index + 1; }
    const DeviceInterface* FromToken(ULONG_PTR token) const;

private:
    DeviceInfoSet() = default;

    std::uint32_t m_leadingErrorCount = 0;
    DWORD m_leadingError = 0;
    std::vector<DeviceInterface> m_interfaces;
    // The device table's count of live sets; null when none was found.
    volatile LONG* m_liveCount = nullptr;
};
