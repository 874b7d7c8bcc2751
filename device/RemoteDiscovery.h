// Finding the remote among the present HID interfaces and opening it.
#pragma once

#include <cstdint>

constexpr std::uint16_t kRemoteVendorId = 0x0471;
constexpr std::uint16_t kRemoteProductId = 0x0110;

// Enumerates, chooses the last interface with the remote's vendor and
// product, closes every enumeration handle and opens the choice into the
// remote record for overlapped reading, with its information. Call only
// while holding RemoteRecordLock with the remote not open.
bool FindAndOpenRemote();
