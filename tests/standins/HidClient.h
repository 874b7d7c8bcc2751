// A client of the simulated devices that makes exactly the calls the program
// makes: SetupAPI's enumeration, CreateFileA, overlapped reads.
#pragma once

#include <windows.h>

#include <setupapi.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"

struct HidEnumeration
{
    std::vector<std::string> paths;    // of the indices that succeeded, in order
    std::vector<DWORD> failedIndices;  // skipped, with any error but ERROR_NO_MORE_ITEMS
    DWORD count = 0;                   // the index that gave ERROR_NO_MORE_ITEMS
};

// The whole enumeration of one set, as the program runs it, and the set
// destroyed.
HidEnumeration EnumerateHid();
// The interfaces of a set that is already made.
HidEnumeration EnumerateSet(HDEVINFO set);

UniqueFile OpenInterface(const std::string& path, bool read, bool overlapped);

// One overlapped read of length bytes with an auto-reset event; cancelled and
// waited for if it is still outstanding at the end.
class DeviceRead
{
public:
    DeviceRead(HANDLE device, std::size_t length);
    ~DeviceRead();
    DeviceRead(const DeviceRead&) = delete;
    DeviceRead& operator=(const DeviceRead&) = delete;

    // ERROR_IO_PENDING, 0 when done at once, or the error of a read that did
    // not start.
    DWORD Start();
    // The read's error (0 for success) once it is done, or the error it could
    // not start with; WAIT_TIMEOUT if it is not done within limit.
    DWORD Finish(std::chrono::milliseconds limit = std::chrono::seconds(20));
    const std::vector<std::uint8_t>& Report() const { return m_buffer; }
    // The bytes the finished read brought.
    DWORD Transferred() const { return m_transferred; }

private:
    HANDLE m_device;
    UniqueHandle m_event;
    OVERLAPPED m_overlapped = {};
    std::vector<std::uint8_t> m_buffer;
    bool m_outstanding = false;
    DWORD m_startError = 0;
    DWORD m_transferred = 0;
};
