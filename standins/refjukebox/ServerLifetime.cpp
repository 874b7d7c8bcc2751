#include "ServerLifetime.h"

#include <utility>

CServerLifetime::CServerLifetime(std::function<void()> onIdle) : m_onIdle(std::move(onIdle)) {}

void CServerLifetime::Acquire() noexcept
{
    ++m_count;
}

void CServerLifetime::Release() noexcept
{
    if (m_count == 0)
        return;
    if (--m_count == 0 && m_onIdle)
    {
        try
        {
            m_onIdle();
        }
        catch (...)
        {
            // Releases happen in destructors, which must not throw; the
            // server then merely stays up until the next idle moment.
        }
    }
}
