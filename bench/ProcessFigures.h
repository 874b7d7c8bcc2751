// What a benchmark can see of another process from outside: its processor
// time, its private memory and its handles. Wine answers some of the system's
// own counters with zeros; each figure says where it came from, so that a
// report never passes a zero off as a measurement.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct ProcessFigure
{
    std::uint64_t value = 0;
    const char* source = "";
};

// User and kernel time together, in microseconds: GetProcessTimes; when that
// answers 0 (Wine does for other processes), the Linux process's own account
// in /proc, found by the name Wine gives it (program's first 15 characters).
ProcessFigure ProcessorMicroseconds(HANDLE process, const char* program);
// PrivateUsage of GetProcessMemoryInfo; when that answers 0, the committed
// private regions added up with VirtualQueryEx.
ProcessFigure PrivateBytes(HANDLE process);
// GetProcessHandleCount; when that answers 0, the entries of the system's
// handle list that belong to the process.
ProcessFigure HandleCount(HANDLE process, DWORD processId);
