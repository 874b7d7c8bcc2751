// Immediate writes to the device module, each logged before it is made.
#pragma once

#include <cstdint>

// Logs the write, then makes it on the calling thread whether or not block
// delivery is switched on; the library's result (0 on failure). A null bytes
// pointer with a non-zero length writes and logs nothing and gives 0.
int WriteModuleMemory(std::uint32_t address, std::uint32_t length, const unsigned char* bytes);

// Tells the module that the program has attached: 0x01 to HostPresent, then
// 0x02 to HostLinkState.
void AnnounceHostAttached();

// Tells the module that the program lets go: 0x00 to HostLinkState.
void AnnounceHostDetached();
