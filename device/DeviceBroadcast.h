// The interface name in a device-change broadcast, read defensively: any
// process may send the main window a WM_DEVICECHANGE. Free of Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The layout of a device-interface broadcast: its size, its type, a reserved
// word, the class GUID, then the name.
constexpr std::uint32_t kDeviceInterfaceBroadcastType = 5;
constexpr std::size_t kBroadcastNameOffset = 28;
// No interface name comes near this; a larger claim is not a broadcast.
constexpr std::size_t kMaxBroadcastSize = 4096;

// The name of a device-interface broadcast whose own size covers a non-empty,
// terminated name; nothing for any other broadcast. Reads no byte beyond the
// size the broadcast gives itself.
std::optional<std::string> InterfaceNameFromBroadcast(const unsigned char* broadcast);
