#include "standins/hid/PreparsedData.h"

HIDP_CAPS DeviceCaps(const HidSim::DeviceRecord& device)
{
    HIDP_CAPS caps = {};
    caps.UsagePage = 0x0C;  // consumer controls
    caps.Usage = 0x01;
    caps.InputReportByteLength = device.inputReportLength;
    caps.NumberLinkCollectionNodes = 1;
    caps.NumberInputButtonCaps = 1;
    caps.NumberInputDataIndices = 1;
    return caps;
}
