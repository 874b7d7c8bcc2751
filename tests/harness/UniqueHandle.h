// Owns a kernel handle for which null means "none" (process, event, thread).
#pragma once

#include <windows.h>

#include <utility>

class UniqueHandle
{
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    HANDLE Get() const { return m_handle; }
    void Reset(HANDLE handle = nullptr)
    {
        HANDLE old = std::exchange(m_handle, handle);
        if (old != nullptr)
            ::CloseHandle(old);
    }

private:
    HANDLE m_handle = nullptr;
};
