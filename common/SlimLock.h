// The program's mutex and condition variable for state that threads share.
//
// On Windows they are the system's slim reader/writer lock and condition
// variable, which never hold a kernel object. The runtime's standard ones
// create an event the first time two threads meet on them and keep it, so
// the process's handle count would grow at a moment chosen by timing.
// Elsewhere (the native build and its tests) they are the standard ones.
#pragma once

#include <chrono>
#include <mutex>

#ifdef _WIN32

#include <windows.h>

class SlimMutex
{
public:
    SlimMutex() = default;
    SlimMutex(const SlimMutex&) = delete;
    SlimMutex& operator=(const SlimMutex&) = delete;

    void lock() noexcept { ::AcquireSRWLockExclusive(&m_lock); }
    bool try_lock() noexcept { return ::TryAcquireSRWLockExclusive(&m_lock) != FALSE; }
    void unlock() noexcept { ::ReleaseSRWLockExclusive(&m_lock); }

private:
    friend class SlimConditionVariable;
    SRWLOCK m_lock = SRWLOCK_INIT;
};

class SlimConditionVariable
{
public:
    SlimConditionVariable() = default;
    SlimConditionVariable(const SlimConditionVariable&) = delete;
    SlimConditionVariable& operator=(const SlimConditionVariable&) = delete;

    void notify_all() noexcept { ::WakeAllConditionVariable(&m_condition); }

    // Waits, the lock let go meanwhile, until ready() holds or limit has
    // passed; whether ready() holds.
    template <class Ready>
    bool wait_for(std::unique_lock<SlimMutex>& lock, std::chrono::milliseconds limit, Ready ready)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!ready()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return ready();
            ::SleepConditionVariableSRW(&m_condition, &lock.mutex()->m_lock, static_cast<DWORD>(left.count()), 0);
        }
        return true;
    }

private:
    CONDITION_VARIABLE m_condition = CONDITION_VARIABLE_INIT;
};

#else

#include <condition_variable>

using SlimMutex = std::mutex;
using SlimConditionVariable = std::condition_variable;

#endif
