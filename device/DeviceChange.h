// Arrival and removal of HID interfaces, as the main window hears of them.
#pragma once

#include <windows.h>

// WM_DEVICECHANGE: for the arrival or removal of an interface that is the
// remote's, connects or disconnects it and posts command 204; logs every
// interface arrival and removal. TRUE for every event.
BOOL OnRemoteDeviceChange(UINT eventType, DWORD_PTR data);

// Whether the interface name belongs to the remote: by the name itself on
// the Windows versions that ClassifyWindowsVersion knows, else by the
// registry.
bool IsRemoteInterfaceName(const char* name);
// Whether the interface's device instance, as the registry records it, is
// the remote's; a failed read says no.
bool IsRemoteByRegistry(const char* name);
// ClassifyVersion of the running Windows; 0 if it cannot be read.
int ClassifyWindowsVersion();
