// The functions our substitute hid.dll exports: what the program asks of a
// HID device, answered from the simulator's description of the device the
// handle was opened on. No exception leaves.
#include <windows.h>

#include "standins/hid/HidApi.h"

#include <memory>

#include "standins/hid/HandleDevice.h"
#include "standins/hid/PreparsedData.h"
#include "standins/remotesim/HandedOutObjects.h"

namespace {

HandedOutObjects<PreparsedData>& OutstandingPreparsedData()
{
    static HandedOutObjects<PreparsedData> blocks;
    return blocks;
}

// A device whose information was asked to fail answers like a device that
// stopped responding.
bool FailsWith(const HidSim::DeviceRecord& device, HidSim::InfoFailure failure)
{
    if (device.infoFailure != failure)
        return false;
    ::SetLastError(ERROR_GEN_FAILURE);
    return true;
}

}  // namespace

void NTAPI HidD_GetHidGuid(LPGUID hidGuid)
{
    if (hidGuid != nullptr)
        *hidGuid = HidSim::kHidInterfaceClass;
}

BOOLEAN NTAPI HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* preparsedData)
{
    try {
        HidSim::DeviceRecord record;
        HidSim::DeviceTable* const table = preparsedData != nullptr ? FindDeviceOfHandle(device, record) : nullptr;
        if (table == nullptr || FailsWith(record, HidSim::InfoFailure::PreparsedData))
            return FALSE;
        auto block = std::make_shared<PreparsedData>(
            PreparsedData{DeviceCaps(record), record.infoFailure == HidSim::InfoFailure::Caps, &table->livePreparsedData});
        *preparsedData = static_cast<PHIDP_PREPARSED_DATA>(OutstandingPreparsedData().Add(std::move(block)));
        ::InterlockedIncrement(&table->livePreparsedData);
        return TRUE;
    } catch (...) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}

BOOLEAN NTAPI HidD_FreePreparsedData(PHIDP_PREPARSED_DATA preparsedData)
{
    try {
        const std::shared_ptr<PreparsedData> block = OutstandingPreparsedData().Remove(preparsedData);
        if (!block)
            return FALSE;
        ::InterlockedDecrement(block->liveCount);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOLEAN NTAPI HidD_GetAttributes(HANDLE device, PHIDD_ATTRIBUTES attributes)
{
    try {
        HidSim::DeviceRecord record;
        if (attributes == nullptr || FindDeviceOfHandle(device, record) == nullptr ||
            FailsWith(record, HidSim::InfoFailure::Attributes))
            return FALSE;
        attributes->Size = sizeof(HIDD_ATTRIBUTES);
        attributes->VendorID = record.vendorId;
        attributes->ProductID = record.productId;
        attributes->VersionNumber = record.versionNumber;
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

NTSTATUS NTAPI HidP_GetCaps(PHIDP_PREPARSED_DATA preparsedData, PHIDP_CAPS capabilities)
{
    try {
        const std::shared_ptr<PreparsedData> block = OutstandingPreparsedData().Find(preparsedData);
        if (!block || block->capsFail || capabilities == nullptr)
            return HIDP_STATUS_INVALID_PREPARSED_DATA;
        *capabilities = block->caps;
        return HIDP_STATUS_SUCCESS;
    } catch (...) {
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
}
