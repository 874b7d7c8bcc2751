// Registration of a window for notifications about HID device interfaces.
#pragma once

#include <windows.h>

#include "framework/UniqueResource.h"

// Owns one device-notification registration (null means none).
using UniqueDeviceNotification = UniqueResource<HDEVNOTIFY, &::UnregisterDeviceNotification>;

// Registers window for arrival and removal of HID device interfaces; an empty
// owner if the system refuses.
UniqueDeviceNotification RegisterHidNotifications(HWND window);
