// ComPtr: owns one reference to a COM interface; moving hands the reference
// over, copying does not compile.
#pragma once

#include <utility>

template <class Interface>
class ComPtr
{
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_pointer, nullptr));
        return *this;
    }
    ~ComPtr() { Reset(); }

    Interface* Get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Releases the held reference and takes ownership of pointer.
    void Reset(Interface* pointer = nullptr)
    {
        Interface* old = std::exchange(m_pointer, pointer);
        if (old != nullptr)
            old->Release();
    }

    // For creation functions that write a new reference: releases what is held
    // first, so nothing can leak through it.
    void** ReleaseAndGetAddressOf()
    {
        Reset();
        return reinterpret_cast<void**>(&m_pointer);
    }

private:
    Interface* m_pointer = nullptr;
};
