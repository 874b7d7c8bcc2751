#pragma once
#include <utility>

// Owns one reference to a COM object: the single place where the server gives
// references back, so no logic path can leak or double-release one.
template <class T>
class CComRef
{
public:
    CComRef() noexcept = default;
    // Takes over a reference the caller already holds (no AddRef).
    explicit CComRef(T* adopted) noexcept : m_object(adopted) {}
    ~CComRef() { Reset(); }

    CComRef(CComRef&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    CComRef& operator=(CComRef&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    T* Get() const noexcept { return m_object; }
    T* operator->() const noexcept { return m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

    // For out parameters of API calls: drops the current reference first.
    T** Receive() noexcept
    {
        Reset();
        return &m_object;
    }

    void Reset() noexcept
    {
        if (T* object = std::exchange(m_object, nullptr))
            object->Release();
    }

private:
    T* m_object = nullptr;
};
