#include "device/RemoteSession.h"

#include <windows.h>

namespace {

// Needs no destruction, so a reader thread that outlives static destruction
// never meets a deleted lock.
SRWLOCK g_sessionLock = SRWLOCK_INIT;
unsigned g_lastSession = 0;

}  // namespace

std::atomic<unsigned> RemoteSession{0};

unsigned BeginRemoteSession()
{
    RemoteSession = ++g_lastSession;
    return RemoteSession;
}

void EndRemoteSession() noexcept
{
    ::AcquireSRWLockExclusive(&g_sessionLock);
    RemoteSession = 0;
    ::ReleaseSRWLockExclusive(&g_sessionLock);
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
