// One opened HID device interface: its path, its handle and, when loaded, what
// the reader needs to know about it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

extern "C" {
#include <hidsdi.h>
}

#include "framework/UniqueHandle.h"
#include "framework/UniqueResource.h"

using UniquePreparsedData = UniqueResource<PHIDP_PREPARSED_DATA, &::HidD_FreePreparsedData>;

struct HidDeviceRecord
{
    // A private copy of the interface path; empty when none is held.
    std::string path;
    UniqueFile handle;
    // The information below is present only after an open that loaded it.
    UniquePreparsedData preparsed;
    HIDP_CAPS caps{};
    HIDD_ATTRIBUTES attributes{};
    // InputReportByteLength bytes (at least 1); every read lands here.
    std::vector<unsigned char> inputReport;
};

// Opens path into record, shared and never for writing: for reading or for
// queries only (access 0), overlapped or not. With loadInformation it also
// (re)loads the preparsed data, attributes and capabilities and allocates the
// input-report buffer; without it, information already in the record stays.
// On failure the record is left without path and handle (and, when loading
// failed, without information).
bool OpenDeviceInterface(const char* path, bool read, bool overlapped, bool loadInformation, HidDeviceRecord& record);

// Releases the path and closes the handle; a full release also drops the
// information and the input-report buffer.
void ReleaseDeviceRecord(HidDeviceRecord& record, bool full);
