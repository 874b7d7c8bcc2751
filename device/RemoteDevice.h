// The remote's device side as the main dialog drives it: start-up, shut-down
// and plug events.
#pragma once

#include <windows.h>

// Prepares the device side and makes the first attempt to connect the remote;
// 1 when the reader thread should be started.
int InitRemoteDevice();
void StartReaderThread();
// Stops the reader and disconnects the remote.
void ShutdownRemoteDevice();
// Handles WM_DEVICECHANGE for the main window.
BOOL OnRemoteDeviceChange(UINT eventType, DWORD_PTR data);
