// Whether memory can be read and written without a fault, for the call-stack
// walk. Asks VirtualQuery rather than touching the memory the way
// IsBadWritePtr does: touching turns a stack's guard page into an ordinary
// page (the stack can then no longer grow) and faults on every bad page.
#pragma once

#include <cstddef>
#include <cstdint>

// True if all of [address, address + length) is committed, writable and
// neither a guard page nor inaccessible. Has the shape of a MemoryProbe.
bool IsWritableMemory(std::uintptr_t address, std::size_t length);

// How many bytes from address on can be read, within its region (0 if none).
std::size_t ReadableLength(const void* address);
