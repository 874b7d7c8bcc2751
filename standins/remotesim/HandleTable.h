// What the system's handle table tells about a process: how many handles it
// holds, and its client ends of named pipes. NtQuerySystemInformation's
// handle list is used because GetProcessHandleCount answers 0 under Wine.
#pragma once

#include <windows.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

// (Not "ProcessHandleCount": winternl.h names a process information class so.)
std::size_t CountProcessHandles(DWORD processId);
// The process's handles counted by the type of their object ("Thread",
// "Event", ...); a handle that cannot be duplicated counts under "?".
std::map<std::string, std::size_t> CountProcessHandlesByType(DWORD processId);

struct PipeClientHandle
{
    // Lower case, without the leading backslash; empty once the server has
    // disconnected or closed its end, as Wine then gives no name (nor any
    // other sign of the pipe the handle was opened on).
    std::string pipeName;
    bool canRead;          // granted FILE_READ_DATA (a query-only open has not)
    bool overlapped;       // opened without FILE_SYNCHRONOUS_IO_* (FILE_FLAG_OVERLAPPED)
};

// The process's handles on client ends of named pipes; empty if its handles
// cannot be duplicated.
std::vector<PipeClientHandle> PipeClientHandles(DWORD processId);
