#include "crash/ReportFile.h"

#include <windows.h>
#include <winternl.h>

#include <cstdarg>

#include "framework/UniqueHandle.h"

namespace {

// The native path ("\??\C:\...") and its length in bytes; empty when unset.
WCHAR nativePath[MAX_PATH + 16];
USHORT nativePathBytes = 0;
// Open only while a report is written. Null means closed.
UniqueHandle reportFile;
// wvsprintfA never writes more than 1024 characters.
char line[1024];

}  // namespace

bool SetReportFilePath(const char* path)
{
    nativePathBytes = 0;
    WCHAR widePath[MAX_PATH + 4];
    const UINT codePage = ::AreFileApisANSI() ? CP_ACP : CP_OEMCP;
    if (path == nullptr || path[0] == '\0'
        || ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, path, -1, widePath, MAX_PATH + 4) == 0)
        return false;
    UNICODE_STRING converted{};
    if (!::RtlDosPathNameToNtPathName_U(widePath, &converted, nullptr, nullptr))
        return false;
    const bool fits = converted.Length < sizeof nativePath;
    if (fits) {
        ::CopyMemory(nativePath, converted.Buffer, converted.Length);
        nativePathBytes = converted.Length;
    }
    ::RtlFreeUnicodeString(&converted);
    return fits;
}

bool OpenReportFile()
{
    if (nativePathBytes == 0)
        return false;
    UNICODE_STRING name{nativePathBytes, nativePathBytes, nativePath};
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE, nullptr, nullptr);
    IO_STATUS_BLOCK status{};
    HANDLE file = nullptr;
    if (!NT_SUCCESS(::NtCreateFile(&file, GENERIC_WRITE | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &status,
                                   nullptr, FILE_ATTRIBUTE_NORMAL, 0, FILE_OPEN_IF,
                                   FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_WRITE_THROUGH,
                                   nullptr, 0)))
        return false;
    reportFile.Reset(file);
    ::SetFilePointer(file, 0, nullptr, FILE_END);
    return true;
}

void CloseReportFile()
{
    reportFile.Reset();
}

int ReportPrintf(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = ::wvsprintfA(line, format, arguments);
    va_end(arguments);
    if (length > 0 && reportFile) {
        DWORD written = 0;
        ::WriteFile(reportFile.Get(), line, static_cast<DWORD>(length), &written, nullptr);
    }
    return length;
}
