#include "launcher/LauncherTurn.h"

namespace {

constexpr wchar_t kMutexName[] = L"Local\\VantrelRemoteLauncher_48DD8B83-1595-4f23-BF8C-74F9B42A65DA";

}  // namespace

LauncherTurn::LauncherTurn(DWORD limitMilliseconds) : m_mutex(::CreateMutexW(nullptr, FALSE, kMutexName))
{
    if (!m_mutex)
        return;
    const DWORD waited = ::WaitForSingleObject(m_mutex.Get(), limitMilliseconds);
    // Abandoned: the launcher that had it ended without giving it back; the
    // turn is ours all the same.
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        m_ownership.Reset(m_mutex.Get());
}
