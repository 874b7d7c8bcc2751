// The device module's mailbox: blocks for the module travel from any thread to
// the user-interface thread, which writes them into the module's outbox.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "module/ModuleWriteRecord.h"

// Wakes the main window for queued blocks; lParam is the token of the queue
// entry, wParam carries nothing.
constexpr UINT WM_MODULE_WRITE = WM_APP + 3;

// Set while the device wants blocks delivered; read from any thread.
extern std::atomic<int> ModuleWritesEnabled;

// Queues a block of 1 to 256 bytes for the main window; other lengths are
// refused (nothing is posted). Callable from any thread.
void PostModuleWrite(std::uint32_t length, const unsigned char* data);

// On the user-interface thread, for one WM_MODULE_WRITE: delivers the blocks
// that the token releases, in order. A token the program did not issue
// releases nothing.
void DeliverModuleWrites(LPARAM token);

// Delivers one block through the mailbox protocol while ModuleWritesEnabled
// is set: the data, the count reset and the doorbell, each logged, then a
// poll of the count (at most a quarter of a second). While the outbox is not
// free for it (a stalled module, an earlier block still waiting), the block
// waits its turn instead (see ModuleOutbox.h). Then a 5 ms pause, on every
// path.
void WriteModuleBlock(const ModuleWriteRecord& record);

// Reads the device's switch for block delivery (KeyParameter) into
// ModuleWritesEnabled; a failed read leaves it unchanged.
void UpdateModuleWritesEnabled();
