// The preparsed data that HidD_GetPreparsedData hands out: the capabilities
// of the device as they were then, and where the block is counted.
#pragma once

#include <windows.h>

#include "standins/hid/HidApi.h"

#include "standins/remotesim/DeviceTable.h"

struct PreparsedData
{
    HIDP_CAPS caps;
    bool capsFail;
    // In the device table's section, which stays mapped.
    volatile LONG* liveCount;
};

// What a remote-like device with these reports would state.
HIDP_CAPS DeviceCaps(const HidSim::DeviceRecord& device);
