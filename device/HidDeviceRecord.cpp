#include "device/HidDeviceRecord.h"

#include <new>

namespace {

void ReleaseInformation(HidDeviceRecord& record)
{
    record.preparsed.Reset();
    record.caps = HIDP_CAPS{};
    record.attributes = HIDD_ATTRIBUTES{};
    record.inputReport.clear();
    record.inputReport.shrink_to_fit();
}

bool LoadInformation(HidDeviceRecord& record)
{
    ReleaseInformation(record);
    UniquePreparsedData preparsed;
    if (!::HidD_GetPreparsedData(record.handle.Get(), preparsed.ReleaseAndGetAddressOf()))
        return false;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!::HidD_GetAttributes(record.handle.Get(), &attributes))
        return false;
    HIDP_CAPS caps{};
    if (::HidP_GetCaps(preparsed.Get(), &caps) != HIDP_STATUS_SUCCESS)
        return false;
    try {
        record.inputReport.assign(caps.InputReportByteLength != 0 ? caps.InputReportByteLength : 1, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    record.preparsed = std::move(preparsed);
    record.attributes = attributes;
    record.caps = caps;
    return true;
}

}  // namespace

bool OpenDeviceInterface(const char* path, bool read, bool overlapped, bool loadInformation, HidDeviceRecord& record)
{
    record.path = path;
    record.handle.Reset(::CreateFileA(path, read ? GENERIC_READ : 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr));
    if (!record.handle) {
        record.path.clear();
        return false;
    }
    if (!loadInformation)
        return true;
    if (!LoadInformation(record)) {
        ReleaseDeviceRecord(record, true);
        return false;
    }
    return true;
}

void ReleaseDeviceRecord(HidDeviceRecord& record, bool full)
{
    record.path.clear();
    record.path.shrink_to_fit();
    record.handle.Reset();
    if (full)
        ReleaseInformation(record);
}
