// UniqueResource: owns one handle-like value and releases it with Close;
// moving hands it over, copying does not compile. NoneValue is the value
// that means "nothing owned": 0 (null) for most handles, -1
// (INVALID_HANDLE_VALUE) for files.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

template <class Handle, auto Close, std::intptr_t NoneValue = 0>
class UniqueResource
{
    static Handle None()
    {
        if constexpr (std::is_pointer_v<Handle>)
            return reinterpret_cast<Handle>(NoneValue);
        else
            return static_cast<Handle>(NoneValue);
    }

public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : m_handle(handle) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_handle(std::exchange(other.m_handle, None())) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, None()));
        return *this;
    }
    ~UniqueResource() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != None(); }

    // Releases what is owned and takes ownership of handle.
    void Reset(Handle handle = None())
    {
        Handle old = std::exchange(m_handle, handle);
        if (old != None())
            Close(old);
    }

    // For out parameters: releases what is owned first, so nothing leaks.
    Handle* ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = None();
};
