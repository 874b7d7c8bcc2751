// Which simulated device a handle was opened on: its file name is the pipe's
// name, which the device table lists.
#pragma once

#include <windows.h>

#include "standins/remotesim/DeviceTable.h"

// The table that lists the device, with the device's record as it is now;
// null (with the error set) when the handle is not open on a simulated device
// that is present.
HidSim::DeviceTable* FindDeviceOfHandle(HANDLE handle, HidSim::DeviceRecord& device);
