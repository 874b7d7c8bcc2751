#include "module/ModuleMemoryWrites.h"

#include "common/EventLog.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleWriteLine.h"
#include "module/rzmb.h"

int WriteModuleMemory(std::uint32_t address, std::uint32_t length, const unsigned char* bytes)
{
    if (bytes == nullptr && length != 0)
        return 0;
    AppendLogLine(FormatModuleWriteLine(address, length, bytes).c_str());
    // The library's contract takes a writable buffer but only reads it.
    return RzmaSetMem(address, length, const_cast<unsigned char*>(bytes));
}

void AnnounceHostAttached()
{
    constexpr unsigned char kPresent = 0x01;
    constexpr unsigned char kAttached = 0x02;
    WriteModuleMemory(ModuleMap::HostPresent, 1, &kPresent);
    WriteModuleMemory(ModuleMap::HostLinkState, 1, &kAttached);
}

void AnnounceHostDetached()
{
    constexpr unsigned char kDetached = 0x00;
    WriteModuleMemory(ModuleMap::HostLinkState, 1, &kDetached);
}
