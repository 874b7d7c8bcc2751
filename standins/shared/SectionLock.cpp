#include "standins/shared/SectionLock.h"

#include <chrono>

#include "framework/UniqueHandle.h"

namespace {

// Calls hold the lock for microseconds; a wait this long means a holder that
// hangs, and the call fails instead of hanging too.
constexpr auto kLockLimit = std::chrono::seconds(10);
// How often a waiter looks whether the holder's process still exists.
constexpr auto kOwnerCheckInterval = std::chrono::milliseconds(100);

bool ProcessHasEnded(DWORD processId)
{
    UniqueHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;  // no such process
    return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
}

}  // namespace

SectionLock::SectionLock(volatile LONG& owner)
    : m_owner(owner), m_self(static_cast<LONG>(::GetCurrentProcessId())), m_held(false)
{
    const auto start = std::chrono::steady_clock::now();
    auto nextOwnerCheck = start + kOwnerCheckInterval;
    for (;;) {
        const LONG holder = ::InterlockedCompareExchange(&m_owner, m_self, 0);
        if (holder == 0) {
            m_held = true;
            return;
        }
        ::SwitchToThread();
        const auto now = std::chrono::steady_clock::now();
        if (now - start >= kLockLimit)
            return;
        if (now >= nextOwnerCheck) {
            nextOwnerCheck = now + kOwnerCheckInterval;
            if (holder != m_self && ProcessHasEnded(static_cast<DWORD>(holder)) &&
                ::InterlockedCompareExchange(&m_owner, m_self, holder) == holder) {
                m_held = true;
                return;
            }
        }
    }
}

SectionLock::~SectionLock()
{
    if (m_held)
        ::InterlockedExchange(&m_owner, 0);
}
