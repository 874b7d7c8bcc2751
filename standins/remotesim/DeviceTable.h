// The table of simulated HID interfaces that the remote simulator shares with
// our substitute hid.dll and setupapi.dll: a named section, one per simulator
// instance, with its lock in the section. Plain data of fixed layout; the
// simulator writes the devices, the DLLs read them and keep their counts.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "standins/shared/SectionLock.h"

// Names the instance, inherited by child processes; "default" when unset.
#define HIDSIM_INSTANCE_VARIABLE "VANTREL_HIDSIM_INSTANCE"

namespace HidSim {

// The HID device-interface class.
inline constexpr GUID kHidInterfaceClass = {0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

enum class InfoFailure : std::uint32_t { None, PreparsedData, Attributes, Caps };

constexpr std::uint32_t kMaxDevices = 128;
constexpr std::size_t kPipeNameSize = 160;

struct DeviceRecord
{
    std::uint32_t id;
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::uint16_t versionNumber;
    std::uint16_t inputReportLength;
    InfoFailure infoFailure;
    // Non-zero: the interface's enumeration index fails with this error.
    std::uint32_t enumerationError;
    // The pipe's name as a handle's file name gives it, without the leading
    // backslash; "\\.\pipe\" before it is the device path.
    char pipeName[kPipeNameSize];
};

struct DeviceTable
{
    volatile LONG lockOwner;  // see SectionLock
    std::uint32_t deviceCount;
    // Indices before the first device that fail with leadingError.
    std::uint32_t leadingErrorCount;
    std::uint32_t leadingError;
    // Kept by the DLLs, so that a test can see what a program leaks.
    volatile LONG liveDeviceInfoSets;
    volatile LONG livePreparsedData;
    // The present devices, in plug order.
    DeviceRecord devices[kMaxDevices];
};

// The section's name is this followed by the instance.
inline constexpr char kSectionPrefix[] = "Local\\VantrelHidSim.";

// The table of the instance that the environment names now, or null when no
// simulator of that instance runs. A table once found stays mapped for the
// life of the process.
DeviceTable* CurrentDeviceTable() noexcept;

// Runs action on the current table under its lock; fallback when there is no
// table. No exception leaves.
template <class Result, class Action>
Result WithDeviceTable(Result fallback, Action action) noexcept
{
    return WithSectionLocked(CurrentDeviceTable(), fallback, action);
}

}  // namespace HidSim
