// The module's outbox, on the user-interface thread. Blocks go out the usual
// way (written, rung, polled) while it is free; while a block the module has
// not taken still owns it, or the module is stalled, they are held and go out
// one at a time from looks that a timer on the main window takes (see
// OutboxWatch).
#pragma once

#include <windows.h>

#include "module/ModuleWriteRecord.h"

// The module's quiet time after each block it is given, in ms.
constexpr DWORD kModuleClosingPauseMs = 5;

// The main window's timer for those looks; its other timers take other ids.
constexpr UINT_PTR kModuleOutboxTimerId = 0x4D42;

// One block for the outbox, while ModuleWritesEnabled is set; with it clear,
// the block is not written and whatever is held is dropped.
void AcceptModuleBlock(const ModuleWriteRecord& record);

// Switches delivery off on the user-interface thread: clears
// ModuleWritesEnabled, drops the held blocks with one log line and forgets
// the stall at once, before anything can switch delivery on again. When
// another thread switches it off, the next look drops them.
void SwitchModuleWritesOff();
