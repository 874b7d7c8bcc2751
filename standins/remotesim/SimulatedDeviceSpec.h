// What a simulated HID interface is like: the remote by default.
#pragma once

#include <cstdint>
#include <string>

#include "standins/remotesim/DeviceTable.h"

struct SimulatedDeviceSpec
{
    std::uint16_t vendorId = 0x0471;
    std::uint16_t productId = 0x0110;
    std::uint16_t versionNumber = 0x0100;
    std::uint16_t inputReportLength = 8;  // 0 gives 1-byte reports
    // A second interface of one device ("MI_01"), shown in its names.
    std::string interfaceTag;
    // False: listed, but every open fails, even a query-only one.
    bool opens = true;
    using InfoFailure = HidSim::InfoFailure;
    InfoFailure infoFailure = InfoFailure::None;
    // Non-zero: its enumeration index fails with this error (and is skipped).
    std::uint32_t enumerationError = 0;
};

using SimulatedDeviceId = std::uint32_t;
