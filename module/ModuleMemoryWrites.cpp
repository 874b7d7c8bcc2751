#include "module/ModuleMemoryWrites.h"

#include "common/EventLog.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleWriteLine.h"
#include "module/rzmb.h"

namespace {

void LogModuleWrite(std::uint32_t address, std::uint32_t length, const unsigned char* bytes) noexcept
{
    try {
        AppendLogLine(FormatModuleWriteLine(address, length, bytes).c_str());
    } catch (...) {
        // The line is lost; the write it describes still matters to the module.
    }
}

int SetModuleMemory(std::uint32_t address, std::uint32_t length, const unsigned char* bytes) noexcept
{
    // The library's contract takes a writable buffer but only reads it.
    return RzmaSetMem(address, length, const_cast<unsigned char*>(bytes));
}

}  // namespace

int WriteModuleMemory(std::uint32_t address, std::uint32_t length, const unsigned char* bytes,
                      ModuleWriteGate* gate) noexcept
{
    if (bytes == nullptr && length != 0)
        return 0;
    LogModuleWrite(address, length, bytes);
    if (gate == nullptr)
        return SetModuleMemory(address, length, bytes);
    if (!gate->EnterIfOpen())
        return 0;
    const int written = SetModuleMemory(address, length, bytes);
    gate->Leave();
    return written;
}

void AnnounceHostAttached(ModuleWriteGate* gate) noexcept
{
    constexpr unsigned char kPresent = 0x01;
    constexpr unsigned char kAttached = 0x02;
    WriteModuleMemory(ModuleMap::HostPresent, 1, &kPresent, gate);
    WriteModuleMemory(ModuleMap::HostLinkState, 1, &kAttached, gate);
}

void AnnounceHostDetached() noexcept
{
    constexpr unsigned char kDetached = 0x00;
    WriteModuleMemory(ModuleMap::HostLinkState, 1, &kDetached);
}
