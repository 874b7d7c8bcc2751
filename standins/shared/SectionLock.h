// The lock of a shared section: a word in the section itself, 0 when free,
// else the holder's process id. It is taken with an atomic exchange, so an
// uncontended call costs no system call (a kernel mutex would cost two round
// trips to the server under Wine, more than a substitute's own work per
// call). A holder whose process has ended loses the lock to the next caller.
#pragma once

#include <windows.h>

class SectionLock
{
public:
    explicit SectionLock(volatile LONG& owner);
    ~SectionLock();
    SectionLock(const SectionLock&) = delete;
    SectionLock& operator=(const SectionLock&) = delete;

    // False when the lock could not be taken within the limit.
    bool Held() const { return m_held; }

private:
    volatile LONG& m_owner;
    LONG m_self;
    bool m_held;
};

// Runs action on *shared (whose lockOwner word is its lock) under that lock;
// fallback when shared is null, the lock cannot be had or action throws.
template <class Shared, class Result, class Action>
Result WithSectionLocked(Shared* shared, Result fallback, Action action) noexcept
{
    if (shared == nullptr)
        return fallback;
    SectionLock lock(shared->lockOwner);
    if (!lock.Held())
        return fallback;
    try {
        return action(*shared);
    } catch (...) {
        return fallback;
    }
}
