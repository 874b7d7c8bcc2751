// WM_DEVICECHANGE as the system sends it for a device interface.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A DEV_BROADCAST_DEVICEINTERFACE_A of the HID class for name: dbcc_size is
// the offset of dbcc_name plus the name and its terminating zero.
std::vector<std::uint8_t> InterfaceBroadcast(const std::string& name);

// Sends WM_DEVICECHANGE (event, broadcast) to window, from this process, and
// returns once it was handled; false if it was not delivered. Empty bytes send
// lParam 0. The bytes may be malformed on purpose.
bool SendDeviceChange(HWND window, WPARAM event, const std::vector<std::uint8_t>& broadcastBytes);
