// The enumeration of every present HID device interface, each opened for
// queries so that its attributes can be read.
#pragma once

#include <cstddef>
#include <memory>

#include "device/HidDeviceRecord.h"

// A growable array of records: its capacity starts at 8 and doubles whenever
// the next interface index reaches it; slots whose open failed stay empty.
struct HidInterfaceList
{
    static constexpr std::size_t kFirstCapacity = 8;

    std::unique_ptr<HidDeviceRecord[]> records;
    std::size_t capacity = 0;
    // The number of interface indices visited.
    std::size_t count = 0;
};

// Enumerating gives up after this many indices that could not be read, so a
// device-information set that never ends cannot keep the caller busy.
constexpr std::size_t kMaxSkippedInterfaceIndices = 1024;

// Fills list with one record per interface index, opened query-only with its
// information loaded. False when the set cannot be had, the list cannot grow,
// an interface's detail cannot be read, or too many indices are skipped; the
// caller then releases what was filled.
bool ListHidInterfaces(HidInterfaceList& list);

// Fully releases every record, then the array.
void ReleaseDeviceList(HidInterfaceList& list);
