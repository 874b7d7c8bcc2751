// Immediate writes to the device module, each logged before it is made.
#pragma once

#include <cstdint>

// What a write may have to pass at the moment it is made: a condition that
// another thread can end, so that once it has ended no such write reaches the
// module. The write runs between EnterIfOpen and Leave.
class ModuleWriteGate
{
public:
    virtual ~ModuleWriteGate() = default;
    // True, with the gate held, while writes may pass; false, with nothing
    // held, once they may not.
    virtual bool EnterIfOpen() noexcept = 0;
    virtual void Leave() noexcept = 0;
};

// Logs the write, then makes it on the calling thread whether or not block
// delivery is switched on; the library's result (0 on failure). A line that
// cannot be made (no memory for it) is lost, never the write it describes. A
// null bytes pointer with a non-zero length writes and logs nothing and
// gives 0. With a gate, the write is made only if the gate lets it pass (0
// otherwise).
int WriteModuleMemory(std::uint32_t address, std::uint32_t length, const unsigned char* bytes,
                      ModuleWriteGate* gate = nullptr) noexcept;

// Tells the module that the program has attached: 0x01 to HostPresent, then
// 0x02 to HostLinkState, each through gate when one is given.
void AnnounceHostAttached(ModuleWriteGate* gate = nullptr) noexcept;

// Tells the module that the program lets go: 0x00 to HostLinkState.
void AnnounceHostDetached() noexcept;
