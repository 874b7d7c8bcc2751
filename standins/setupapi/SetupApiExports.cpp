// The functions our substitute setupapi.dll exports: the HID interface
// enumeration that the program runs, over the simulator's device table, and
// harmless answers to what Wine's own user32 and gdi32 may ask. Argument
// checks follow the system's. No exception leaves.
#include <windows.h>

#define _SETUPAPI_  // we define these functions, not import them
#include <setupapi.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

#include "standins/remotesim/DeviceTable.h"
#include "standins/remotesim/HandedOutObjects.h"
#include "standins/setupapi/DeviceInfoSet.h"

namespace {

// The device setup class of HID devices.
constexpr GUID kHidDeviceClass = {0x745a17a0, 0x74d3, 0x11d0, {0xb6, 0xfe, 0x00, 0xa0, 0xc9, 0x0f, 0x57, 0xda}};

HandedOutObjects<DeviceInfoSet>& OutstandingSets()
{
    static HandedOutObjects<DeviceInfoSet> sets;
    return sets;
}

HDEVINFO HandOut(bool listsHid)
{
    try {
        return OutstandingSets().Add(DeviceInfoSet::Snapshot(listsHid));
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
}

BOOL Fail(DWORD error)
{
    ::SetLastError(error);
    return FALSE;
}

}  // namespace

HDEVINFO WINAPI SetupDiGetClassDevsA(const GUID* classGuid, PCSTR enumerator, HWND parent, DWORD flags)
{
    if (classGuid == nullptr && (flags & DIGCF_ALLCLASSES) == 0) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    // Only interfaces are simulated, and only the HID class has any.
    const bool listsHid = (flags & DIGCF_DEVICEINTERFACE) != 0 &&
                          ((flags & DIGCF_ALLCLASSES) != 0 || IsEqualGUID(*classGuid, HidSim::kHidInterfaceClass));
    return HandOut(listsHid);
}

BOOL WINAPI SetupDiEnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA device, const GUID* interfaceClass,
                                        DWORD index, PSP_DEVICE_INTERFACE_DATA interfaceData)
{
    try {
        const std::shared_ptr<DeviceInfoSet> found = OutstandingSets().Find(set);
        if (!found)
            return Fail(ERROR_INVALID_HANDLE);
        if (interfaceClass == nullptr || interfaceData == nullptr)
            return Fail(ERROR_INVALID_PARAMETER);
        if (interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
            return Fail(ERROR_INVALID_USER_BUFFER);
        // Sets hold no device elements, so interfaces of one device are none.
        if (device != nullptr || !IsEqualGUID(*interfaceClass, HidSim::kHidInterfaceClass))
            return Fail(ERROR_NO_MORE_ITEMS);
        const DeviceInterface* listed = nullptr;
        const DWORD error = found->InterfaceAt(index, listed);
        if (error != 0)
            return Fail(error);
        interfaceData->InterfaceClassGuid = HidSim::kHidInterfaceClass;
        interfaceData->Flags = SPINT_ACTIVE;
        interfaceData->Reserved = found->Token(index);
        return TRUE;
    } catch (...) {
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL WINAPI SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA interfaceData,
                                             PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD detailSize,
                                             PDWORD requiredSize, PSP_DEVINFO_DATA device)
{
    try {
        const std::shared_ptr<DeviceInfoSet> found = OutstandingSets().Find(set);
        if (!found)
            return Fail(ERROR_INVALID_HANDLE);
        if (interfaceData == nullptr || interfaceData->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
            return Fail(ERROR_INVALID_USER_BUFFER);
        const DeviceInterface* listed = found->FromToken(interfaceData->Reserved);
        if (listed == nullptr)
            return Fail(ERROR_INVALID_PARAMETER);
        constexpr std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
        // The fixed part's size, 8 on x86_64 and 5 on i686, not the buffer's.
        if ((detail == nullptr && detailSize != 0) ||
            (detail != nullptr && (detailSize < pathOffset + 1 || detail->cbSize != sizeof *detail)))
            return Fail(ERROR_INVALID_USER_BUFFER);
        if (device != nullptr && device->cbSize != sizeof(SP_DEVINFO_DATA))
            return Fail(ERROR_INVALID_USER_BUFFER);
        const DWORD required = static_cast<DWORD>(pathOffset + listed->devicePath.size() + 1);
        if (requiredSize != nullptr)
            *requiredSize = required;
        if (detailSize < required)
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        std::memcpy(detail->DevicePath, listed->devicePath.c_str(), listed->devicePath.size() + 1);
        if (device != nullptr) {
            device->ClassGuid = kHidDeviceClass;
            device->DevInst = static_cast<DWORD>(interfaceData->Reserved);
            device->Reserved = 0;
        }
        return TRUE;
    } catch (...) {
        return Fail(ERROR_NOT_ENOUGH_MEMORY);
    }
}

BOOL WINAPI SetupDiDestroyDeviceInfoList(HDEVINFO set)
{
    try {
        return OutstandingSets().Remove(set) ? TRUE : Fail(ERROR_INVALID_HANDLE);
    } catch (...) {
        return Fail(ERROR_INVALID_HANDLE);
    }
}

// What Wine's user32 and gdi32 import: sets without devices.

HDEVINFO WINAPI SetupDiGetClassDevsW(const GUID* classGuid, PCWSTR enumerator, HWND parent, DWORD flags)
{
    return HandOut(false);
}

HDEVINFO WINAPI SetupDiCreateDeviceInfoList(const GUID* classGuid, HWND parent)
{
    return HandOut(false);
}

BOOL WINAPI SetupDiEnumDeviceInfo(HDEVINFO set, DWORD index, PSP_DEVINFO_DATA device)
{
    return Fail(ERROR_NO_MORE_ITEMS);
}

BOOL WINAPI SetupDiOpenDeviceInfoW(HDEVINFO set, PCWSTR instanceId, HWND parent, DWORD flags, PSP_DEVINFO_DATA device)
{
    return Fail(ERROR_NO_SUCH_DEVINST);
}

BOOL WINAPI SetupDiGetDevicePropertyW(HDEVINFO set, PSP_DEVINFO_DATA device, const DEVPROPKEY* key,
                                      DEVPROPTYPE* type, PBYTE buffer, DWORD bufferSize, PDWORD requiredSize,
                                      DWORD flags)
{
    return Fail(ERROR_NOT_FOUND);
}
