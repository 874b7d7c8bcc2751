#include "standins/hid/HandleDevice.h"

#include <cstdint>
#include <string>

namespace {

bool PipeNameOf(HANDLE handle, std::string& name)
{
    union {
        FILE_NAME_INFO info;
        std::uint8_t bytes[sizeof(FILE_NAME_INFO) + MAX_PATH * sizeof(WCHAR)];
    } buffer = {};
    if (!::GetFileInformationByHandleEx(handle, FileNameInfo, &buffer, sizeof buffer))
        return false;
    const DWORD length = buffer.info.FileNameLength / sizeof(WCHAR);
    const DWORD start = (length > 0 && buffer.info.FileName[0] == L'\\') ? 1 : 0;
    name.clear();
    for (DWORD i = start; i < length; ++i) {
        if (buffer.info.FileName[i] > 0x7F)
            return false;  // never one of ours
        name += static_cast<char>(buffer.info.FileName[i]);
    }
    return true;
}

}  // namespace

HidSim::DeviceTable* FindDeviceOfHandle(HANDLE handle, HidSim::DeviceRecord& device)
{
    using HidSim::DeviceTable;
    std::string name;
    DeviceTable* found = nullptr;
    if (PipeNameOf(handle, name)) {
        found = HidSim::WithDeviceTable<DeviceTable*>(nullptr, [&](DeviceTable& table) -> DeviceTable* {
            for (std::uint32_t i = 0; i < table.deviceCount; ++i) {
                if (::lstrcmpiA(table.devices[i].pipeName, name.c_str()) == 0) {
                    device = table.devices[i];
                    return &table;
                }
            }
            return nullptr;
        });
    }
    if (found == nullptr)
        ::SetLastError(ERROR_INVALID_FUNCTION);  // what a handle that is no HID device gets
    return found;
}
