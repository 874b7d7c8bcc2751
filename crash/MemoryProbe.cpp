#include "crash/MemoryProbe.h"

#include <windows.h>

namespace {

constexpr DWORD kWritable = PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kReadable = kWritable | PAGE_READONLY | PAGE_EXECUTE_READ;

bool IsAccessible(const MEMORY_BASIC_INFORMATION& region, DWORD rights)
{
    return region.State == MEM_COMMIT && (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0
        && (region.Protect & rights) != 0;
}

}  // namespace

bool IsWritableMemory(std::uintptr_t address, std::size_t length)
{
    if (length == 0 || address + length < address)
        return false;
    const std::uintptr_t end = address + length;
    while (address < end) {
        MEMORY_BASIC_INFORMATION region;
        if (::VirtualQuery(reinterpret_cast<const void*>(address), &region, sizeof region) == 0
            || !IsAccessible(region, kWritable))
            return false;
        address = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

std::size_t ReadableLength(const void* address)
{
    MEMORY_BASIC_INFORMATION region;
    if (::VirtualQuery(address, &region, sizeof region) == 0 || !IsAccessible(region, kReadable))
        return 0;
    const std::uintptr_t regionEnd = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    return regionEnd - reinterpret_cast<std::uintptr_t>(address);
}
