#include "HidClient.h"

#include <setupapi.h>

#include "standins/hid/HidApi.h"

#include <cstddef>

HidEnumeration EnumerateSet(HDEVINFO set)
{
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    HidEnumeration result;
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA data = {};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, index, &data)) {
            const DWORD error = GetLastError();
            if (error == ERROR_NO_MORE_ITEMS || error == ERROR_INVALID_HANDLE) {
                result.count = index;
                return result;
            }
            result.failedIndices.push_back(index);
            continue;
        }
        DWORD required = 0;
        if (SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr) ||
            GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return result;
        std::vector<std::uint8_t> buffer(required);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
        detail->cbSize = sizeof *detail;
        if (!SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr))
            return result;
        result.paths.push_back(detail->DevicePath);
    }
}

HidEnumeration EnumerateHid()
{
    GUID hidGuid;
    HidD_GetHidGuid(&hidGuid);
    const HDEVINFO set = SetupDiGetClassDevsA(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    const HidEnumeration result = EnumerateSet(set);
    SetupDiDestroyDeviceInfoList(set);
    return result;
}

UniqueFile OpenInterface(const std::string& path, bool read, bool overlapped)
{
    return UniqueFile(CreateFileA(path.c_str(), read ? GENERIC_READ : 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, overlapped ? FILE_FLAG_OVERLAPPED : 0, nullptr));
}

DeviceRead::DeviceRead(HANDLE device, std::size_t length)
    : m_device(device), m_event(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_buffer(length)
{
}

DeviceRead::~DeviceRead()
{
    DWORD bytes = 0;
    if (m_outstanding && CancelIoEx(m_device, &m_overlapped))
        GetOverlappedResult(m_device, &m_overlapped, &bytes, TRUE);
}

DWORD DeviceRead::Start()
{
    m_overlapped = {};
    m_overlapped.hEvent = m_event.Get();
    if (ReadFile(m_device, m_buffer.data(), static_cast<DWORD>(m_buffer.size()), nullptr, &m_overlapped))
        return 0;
    const DWORD error = GetLastError();
    m_outstanding = error == ERROR_IO_PENDING;
    m_startError = m_outstanding ? 0 : error;
    return error;
}

DWORD DeviceRead::Finish(std::chrono::milliseconds limit)
{
    if (m_outstanding && WaitForSingleObject(m_event.Get(), static_cast<DWORD>(limit.count())) == WAIT_TIMEOUT)
        return WAIT_TIMEOUT;
    if (m_startError != 0)
        return m_startError;
    m_outstanding = false;
    return GetOverlappedResult(m_device, &m_overlapped, &m_transferred, FALSE) ? 0 : GetLastError();
}
