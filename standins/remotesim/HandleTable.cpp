#include "standins/remotesim/HandleTable.h"

#include <winternl.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>

#include "framework/UniqueHandle.h"

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr ULONG kFileModeInformation = 16;
constexpr ULONG kFilePipeLocalInformation = 24;
constexpr ULONG kSynchronousIo = 0x10 | 0x20;  // FILE_SYNCHRONOUS_IO_ALERT, _NONALERT
constexpr ULONG kPipeClientEnd = 0;
constexpr NTSTATUS kPipeDisconnected = static_cast<NTSTATUS>(0xC00000B0);

// One entry of the list, as Wine fills it.
struct HandleEntry
{
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK grantedAccess;
};

struct HandleList
{
    ULONG count;
    HandleEntry entries[1];
};

struct PipeLocalInformation
{
    ULONG type, configuration, maximumInstances, currentInstances, inboundQuota, readDataAvailable, outboundQuota,
        writeQuotaAvailable, state, end;
};

std::vector<HandleEntry> HandlesOf(DWORD processId)
{
    std::vector<std::uint8_t> buffer(1 << 16);
    NTSTATUS status;
    while ((status = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation),
                                                buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    std::vector<HandleEntry> handles;
    if (status < 0)
        return handles;
    const auto* list = reinterpret_cast<const HandleList*>(buffer.data());
    std::copy_if(list->entries, list->entries + list->count, std::back_inserter(handles),
                 [processId](const HandleEntry& entry) { return entry.processId == processId; });
    return handles;
}

template <class Information>
NTSTATUS QueryFile(HANDLE file, ULONG informationClass, Information& information)
{
    IO_STATUS_BLOCK status = {};
    return ::NtQueryInformationFile(file, &status, &information, sizeof information,
                                    static_cast<FILE_INFORMATION_CLASS>(informationClass));
}

// A client end, or an end whose server disconnected it (a server end of ours
// is closed as soon as it is disconnected).
bool IsClientEnd(HANDLE pipe)
{
    PipeLocalInformation information = {};
    const NTSTATUS status = QueryFile(pipe, kFilePipeLocalInformation, information);
    return status == kPipeDisconnected || (status >= 0 && information.end == kPipeClientEnd);
}

// The name, or empty when the pipe is no longer connected. (Never ask such a
// pipe for its object name: Wine 8's server crashes.)
bool FileName(HANDLE file, std::string& name)
{
    union {
        FILE_NAME_INFO info;
        std::uint8_t bytes[sizeof(FILE_NAME_INFO) + MAX_PATH * sizeof(WCHAR)];
    } buffer = {};
    name.clear();
    if (!::GetFileInformationByHandleEx(file, FileNameInfo, &buffer, sizeof buffer))
        return ::GetLastError() == ERROR_PIPE_NOT_CONNECTED;
    for (DWORD i = 0; i < buffer.info.FileNameLength / sizeof(WCHAR); ++i)
        name += static_cast<char>(std::tolower(buffer.info.FileName[i] & 0x7F));
    if (!name.empty() && name.front() == '\\')
        name.erase(0, 1);
    return true;
}

}  // namespace

std::size_t CountProcessHandles(DWORD processId)
{
    return HandlesOf(processId).size();
}

std::map<std::string, std::size_t> CountProcessHandlesByType(DWORD processId)
{
    constexpr auto kObjectTypeInformation = static_cast<OBJECT_INFORMATION_CLASS>(2);
    std::map<std::string, std::size_t> counts;
    std::map<UCHAR, std::string> names;
    UniqueHandle process(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, processId));
    for (const HandleEntry& entry : HandlesOf(processId)) {
        auto name = names.find(entry.objectType);
        if (name == names.end()) {
            UniqueHandle copy;
            union {
                PUBLIC_OBJECT_TYPE_INFORMATION info;
                std::uint8_t bytes[sizeof(PUBLIC_OBJECT_TYPE_INFORMATION) + 256];
            } type = {};
            std::string text;
            if (process &&
                ::DuplicateHandle(process.Get(), reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(entry.handle)),
                                  ::GetCurrentProcess(), copy.ReleaseAndGetAddressOf(), 0, FALSE,
                                  DUPLICATE_SAME_ACCESS) &&
                ::NtQueryObject(copy.Get(), kObjectTypeInformation, &type, sizeof type, nullptr) >= 0) {
                for (USHORT i = 0; i < type.info.TypeName.Length / sizeof(WCHAR); ++i)
                    text += static_cast<char>(type.info.TypeName.Buffer[i] & 0x7F);
            }
            if (text.empty())
                text = "?";
            else
                name = names.emplace(entry.objectType, text).first;
            if (name == names.end()) {
                ++counts[text];
                continue;
            }
        }
        ++counts[name->second];
    }
    return counts;
}

std::vector<PipeClientHandle> PipeClientHandles(DWORD processId)
{
    std::vector<PipeClientHandle> pipes;
    UniqueHandle process(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, processId));
    if (!process)
        return pipes;
    for (const HandleEntry& entry : HandlesOf(processId)) {
        UniqueHandle copy;
        if (!::DuplicateHandle(process.Get(), reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(entry.handle)),
                               ::GetCurrentProcess(), copy.ReleaseAndGetAddressOf(), 0, FALSE, DUPLICATE_SAME_ACCESS))
            continue;
        ULONG mode = 0;
        PipeClientHandle handle;
        if (::GetFileType(copy.Get()) != FILE_TYPE_PIPE || !IsClientEnd(copy.Get()) ||
            QueryFile(copy.Get(), kFileModeInformation, mode) < 0 || !FileName(copy.Get(), handle.pipeName))
            continue;
        handle.canRead = (entry.grantedAccess & FILE_READ_DATA) != 0;
        handle.overlapped = (mode & kSynchronousIo) == 0;
        pipes.push_back(handle);
    }
    return pipes;
}
