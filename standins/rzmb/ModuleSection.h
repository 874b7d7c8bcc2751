// The simulated module in a named section that every process using the
// library maps, with a lock in the section itself that serialises all access
// to it across processes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "standins/shared/SectionLock.h"
#include "standins/rzmb/SimulatedModule.h"

// The section's content: the lock word (see SectionLock) and the module.
struct SharedModule
{
    volatile LONG lockOwner;
    SimulatedModule module;
};

// The calling process's module, mapped at the first call; null if the section
// cannot be created or mapped.
SharedModule* ModuleInstance();

// Microseconds of the system's performance counter, one clock for every
// process that shares the module.
std::uint64_t ModuleClockMicroseconds();

// Runs action on the module under its lock, once the module has caught up with
// the clock; fallback when the module cannot be reached. No exception leaves.
template <class Result, class Action>
Result WithModule(Result fallback, Action action) noexcept
{
    return WithSectionLocked(ModuleInstance(), fallback, [&](SharedModule& shared) {
        shared.module.CatchUp(ModuleClockMicroseconds());
        return action(shared.module);
    });
}
