#include "device/HidInterfaceList.h"

#include <setupapi.h>

#include <new>
#include <vector>

namespace {

using UniqueDeviceInfoSet = UniqueResource<HDEVINFO, &::SetupDiDestroyDeviceInfoList, -1>;

// The detail structure's fixed part: the size SetupAPI expects in cbSize,
// which is not the size of the buffer.
constexpr DWORD kDetailFixedSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
static_assert(kDetailFixedSize == (sizeof(void*) == 8 ? 8 : 5), "the system's packing of the detail structure");

// No interface path comes near this; a larger answer is not a detail.
constexpr DWORD kMaxDetailSize = 32 * 1024;

bool Grow(HidInterfaceList& list)
{
    const std::size_t capacity = list.capacity == 0 ? HidInterfaceList::kFirstCapacity : list.capacity * 2;
    std::unique_ptr<HidDeviceRecord[]> records(new (std::nothrow) HidDeviceRecord[capacity]);
    if (!records)
        return false;
    for (std::size_t slot = 0; slot < list.capacity; ++slot)
        records[slot] = std::move(list.records[slot]);
    list.records = std::move(records);
    list.capacity = capacity;
    return true;
}

// Opens the interface of data into slot for queries; false when its detail
// cannot be read. A failed open leaves the slot empty and is not a failure.
bool OpenInterface(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data, HidDeviceRecord& slot)
{
    DWORD required = 0;
    ::SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr);
    if (required < kDetailFixedSize || required > kMaxDetailSize)
        return false;
    std::vector<char> buffer;
    try {
        buffer.assign(required, '\0');
    } catch (const std::bad_alloc&) {
        return false;
    }
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = kDetailFixedSize;
    if (!::SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr))
        return false;
    buffer.back() = '\0';
    OpenDeviceInterface(detail->DevicePath, false, false, true, slot);
    return true;
}

}  // namespace

bool ListHidInterfaces(HidInterfaceList& list)
{
    GUID hidGuid{};
    ::HidD_GetHidGuid(&hidGuid);
    UniqueDeviceInfoSet set(::SetupDiGetClassDevsA(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set)
        return false;
    std::size_t skipped = 0;
    for (DWORD index = 0;; ++index) {
        if (index >= list.capacity && !Grow(list))
            return false;
        SP_DEVICE_INTERFACE_DATA data{};
        data.cbSize = sizeof data;
        if (::SetupDiEnumDeviceInterfaces(set.Get(), nullptr, &hidGuid, index, &data)) {
            if (!OpenInterface(set.Get(), data, list.records[index]))
                return false;
        } else if (::GetLastError() == ERROR_NO_MORE_ITEMS) {
            list.count = index;
            return true;
        } else if (++skipped > kMaxSkippedInterfaceIndices) {
            return false;
        }
    }
}

void ReleaseDeviceList(HidInterfaceList& list)
{
    for (std::size_t slot = 0; slot < list.capacity; ++slot)
        ReleaseDeviceRecord(list.records[slot], true);
    list.records.reset();
    list.capacity = 0;
    list.count = 0;
}
