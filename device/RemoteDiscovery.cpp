#include "device/RemoteDiscovery.h"

#include <new>
#include <string>

#include "device/HidInterfaceList.h"
#include "device/RemoteRecord.h"

namespace {

bool IsRemote(const HidDeviceRecord& record)
{
    return record.attributes.VendorID == kRemoteVendorId && record.attributes.ProductID == kRemoteProductId;
}

}  // namespace

bool FindAndOpenRemote()
{
    HidInterfaceList list;
    std::string chosenPath;
    try {
        if (!ListHidInterfaces(list)) {
            ReleaseDeviceList(list);
            return false;
        }
        // Every interface is looked at: the last match wins.
        for (std::size_t slot = 0; slot < list.count; ++slot) {
            if (IsRemote(list.records[slot]))
                chosenPath = list.records[slot].path;
        }
        ReleaseDeviceList(list);
        return !chosenPath.empty() && OpenDeviceInterface(chosenPath.c_str(), true, true, true, RemoteRecord());
    } catch (const std::bad_alloc&) {
        ReleaseDeviceList(list);
        ReleaseDeviceRecord(RemoteRecord(), true);
        return false;
    }
}
