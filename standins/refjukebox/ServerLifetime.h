#pragma once
#include <functional>

// Counts what keeps the server running: live objects and IClassFactory
// server locks. When the count drops back to zero the server is idle and
// quits. Only ever touched on the apartment's thread, so a plain counter is
// enough.
class CServerLifetime
{
public:
    explicit CServerLifetime(std::function<void()> onIdle);
    CServerLifetime(const CServerLifetime&) = delete;
    CServerLifetime& operator=(const CServerLifetime&) = delete;

    void Acquire() noexcept;
    // Calls onIdle when this drops the count to zero. A Release at zero (a
    // client unlocking a server it never locked) is ignored rather than
    // wrapping the count around.
    void Release() noexcept;
    bool IsIdle() const noexcept { return m_count == 0; }

private:
    std::function<void()> m_onIdle;
    long m_count = 0;
};

// Keeps the server alive for as long as the object that holds it.
class CLifetimeToken
{
public:
    explicit CLifetimeToken(CServerLifetime& lifetime) noexcept : m_lifetime(lifetime)
    {
        m_lifetime.Acquire();
    }
    ~CLifetimeToken() { m_lifetime.Release(); }
    CLifetimeToken(const CLifetimeToken&) = delete;
    CLifetimeToken& operator=(const CLifetimeToken&) = delete;

private:
    CServerLifetime& m_lifetime;
};
