// The simulated module in a named section that every process using the
// library maps, with a lock in the section itself that serialises all access
// to it across processes.
#pragma once

#include <windows.h>

#include "framework/UniqueHandle.h"
#include "framework/UniqueResource.h"
#include "rzmb/SimulatedModule.h"

using UniqueMappedView = UniqueResource<void*, &::UnmapViewOfFile>;

// The section's content: the lock word (0 when free, else the holder's
// process id) and the module.
struct SharedModule
{
    volatile LONG lockOwner;
    SimulatedModule module;
};

class ModuleSection
{
public:
    // The calling process's module, mapped at the first call; null if the
    // section cannot be created or mapped.
    static ModuleSection* Instance();

    ModuleSection(UniqueHandle section, UniqueMappedView view);

    SharedModule& Shared() { return *static_cast<SharedModule*>(m_view.Get()); }

private:
    UniqueHandle m_section;
    UniqueMappedView m_view;
};

// Holds the section's lock for one scope. The lock lives in the shared memory
// and is taken with an atomic exchange, so an uncontended call costs no
// system call (a kernel mutex would cost two round trips to the server under
// Wine, more than the program's own work per block). A holder whose process
// has ended loses the lock to the next caller.
class ModuleLock
{
public:
    explicit ModuleLock(SharedModule& shared);
    ~ModuleLock();
    ModuleLock(const ModuleLock&) = delete;
    ModuleLock& operator=(const ModuleLock&) = delete;

    // False when the lock could not be taken within the limit.
    bool Held() const { return m_held; }

private:
    volatile LONG& m_owner;
    LONG m_self;
    bool m_held;
};

// Runs action on the module under its lock; fallback when the module cannot
// be reached. No exception leaves.
template <class Result, class Action>
Result WithModule(Result fallback, Action action) noexcept
{
    ModuleSection* section = ModuleSection::Instance();
    if (section == nullptr)
        return fallback;
    ModuleLock lock(section->Shared());
    if (!lock.Held())
        return fallback;
    return action(section->Shared().module);
}
