#include "device/RemoteDevice.h"

// The remote's discovery, reader thread and plug handling come with the device
// work; until then the program runs without a remote.

int InitRemoteDevice()
{
    return 0;
}

void StartReaderThread() {}

void ShutdownRemoteDevice() {}

BOOL OnRemoteDeviceChange(UINT, DWORD_PTR)
{
    return TRUE;
}
