#include "standins/remotesim/DeviceBroadcast.h"

#include <dbt.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "standins/remotesim/DeviceTable.h"

namespace {

// A generous limit: the program connects the device while it handles the
// message.
constexpr UINT kHandlingLimitMs = 20000;
// Padding goes no further: a header that states more is the sender's doing.
constexpr DWORD kPaddingLimit = 1 << 20;

}  // namespace

std::vector<std::uint8_t> InterfaceBroadcast(const std::string& name)
{
    const std::size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) + name.size() + 1;
    std::vector<std::uint8_t> bytes(size);
    DEV_BROADCAST_DEVICEINTERFACE_A header = {};
    header.dbcc_size = static_cast<DWORD>(size);
    header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header.dbcc_classguid = HidSim::kHidInterfaceClass;
    std::memcpy(bytes.data(), &header, offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name));
    std::memcpy(bytes.data() + offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name), name.c_str(), name.size() + 1);
    return bytes;
}

bool SendDeviceChange(HWND window, WPARAM event, const std::vector<std::uint8_t>& broadcastBytes)
{
    LPARAM broadcast = 0;
    std::vector<std::uint8_t> padded;
    if (!broadcastBytes.empty()) {
        // The message is copied to another process by the size its header
        // states; zeros up to that size keep a malformed one from reading
        // past our bytes.
        DWORD declared = 0;
        std::memcpy(&declared, broadcastBytes.data(), std::min(broadcastBytes.size(), sizeof declared));
        padded = broadcastBytes;
        padded.resize(std::max<std::size_t>({padded.size(), std::min(declared, kPaddingLimit), sizeof(DEV_BROADCAST_HDR)}));
        broadcast = reinterpret_cast<LPARAM>(padded.data());
    }
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_DEVICECHANGE, event, broadcast, SMTO_NORMAL, kHandlingLimitMs, &result) != 0;
}
