#include "device/RemoteSession.h"

#include <windows.h>

namespace {

// Needs no destruction, so a reader thread that outlives static destruction
// never meets a deleted lock.
SRWLOCK g_sessionLock = SRWLOCK_INIT;
unsigned g_lastSession = 0;

// A module write is one library call, over in microseconds.
constexpr ULONGLONG kGatedWriteLimitMilliseconds = 500;

}  // namespace

std::atomic<unsigned> RemoteSession{0};

unsigned BeginRemoteSession()
{
    RemoteSession = ++g_lastSession;
    return RemoteSession;
}

bool EndRemoteSession() noexcept
{
    // Gates entered from here on see the end; what is left is to wait out
    // the writes that passed before. A thread that ended inside one never
    // lets its hold go, so the wait is bounded.
    RemoteSession = 0;
    const ULONGLONG deadline = ::GetTickCount64() + kGatedWriteLimitMilliseconds;
    while (!::TryAcquireSRWLockExclusive(&g_sessionLock)) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(1);
    }
    ::ReleaseSRWLockExclusive(&g_sessionLock);
    return true;
}

bool RemoteSessionGate::EnterIfOpen() noexcept
{
    ::AcquireSRWLockShared(&g_sessionLock);
    if (RemoteSession == m_session)
        return true;
    ::ReleaseSRWLockShared(&g_sessionLock);
    return false;
}

void RemoteSessionGate::Leave() noexcept
{
    ::ReleaseSRWLockShared(&g_sessionLock);
}
