#include "device/DeviceChange.h"

#include <dbt.h>
#include <shlwapi.h>

#include <cstddef>
#include <string>

#include "common/EventLog.h"
#include "device/DeviceBroadcast.h"
#include "device/RemoteConnection.h"
#include "device/RemoteNames.h"
#include "jukebox/JukeboxCommandChannel.h"

static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_A, dbcc_name) == kBroadcastNameOffset);
static_assert(DBT_DEVTYP_DEVICEINTERFACE == kDeviceInterfaceBroadcastType);

namespace {

// Tells the jukebox that the remote came or went.
constexpr int kRemoteChangedCommand = 204;
constexpr DWORD kDeviceInstanceBufferSize = 2048;

}  // namespace

BOOL OnRemoteDeviceChange(UINT eventType, DWORD_PTR data)
{
    const bool arrival = eventType == DBT_DEVICEARRIVAL;
    if (!arrival && eventType != DBT_DEVICEREMOVECOMPLETE)
        return TRUE;
    // Volumes, ports and malformed broadcasts carry no interface name.
    const auto name = InterfaceNameFromBroadcast(reinterpret_cast<const unsigned char*>(data));
    if (!name)
        return TRUE;
    std::string text = arrival ? "Plug and Play DBT_DEVICEARRIVAL " : "Plug and Play DBT_DEVICEREMOVECOMPLETE ";
    text += *name;
    if (IsRemoteInterfaceName(name->c_str())) {
        if (arrival)
            ConnectRemote();
        else
            DisconnectRemote();
        text += " responding.";
        PostJukeboxCommand(kRemoteChangedCommand, nullptr);
    }
    AppendLogLine(text.c_str());
    return TRUE;
}

bool IsRemoteInterfaceName(const char* name)
{
    if (ClassifyWindowsVersion() >= kVersionNameDecides)
        return NamesRemoteIds(name);
    return IsRemoteByRegistry(name);
}

bool IsRemoteByRegistry(const char* name)
{
    const std::string key = DeviceClassesKeyFor(name);
    char value[kDeviceInstanceBufferSize] = {};
    DWORD type = 0;
    DWORD size = sizeof value;
    if (::SHGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "DeviceInstance", &type, value, &size) != ERROR_SUCCESS)
        return false;
    // The value need not end in a terminator within what was read.
    const std::string_view text(value, size < sizeof value ? size : sizeof value);
    return NamesRemoteIds(text.substr(0, text.find('\0')));
}

int ClassifyWindowsVersion()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!::GetVersionExA(&version))
        return 0;
    return ClassifyVersion(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}
