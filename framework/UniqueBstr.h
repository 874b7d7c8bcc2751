// UniqueBstr: owns one BSTR (null means none) and frees it with SysFreeString.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

class UniqueBstr
{
public:
    UniqueBstr() = default;
    explicit UniqueBstr(BSTR text) : m_text(text) {}
    UniqueBstr(const UniqueBstr&) = delete;
    UniqueBstr& operator=(const UniqueBstr&) = delete;
    UniqueBstr(UniqueBstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    UniqueBstr& operator=(UniqueBstr&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_text, nullptr));
        return *this;
    }
    ~UniqueBstr() { Reset(); }

    BSTR Get() const { return m_text; }

    void Reset(BSTR text = nullptr)
    {
        BSTR old = std::exchange(m_text, text);
        if (old != nullptr)
            ::SysFreeString(old);
    }

    // For out parameters: frees what is held first.
    BSTR* ReleaseAndGetAddressOf()
    {
        Reset();
        return &m_text;
    }

private:
    BSTR m_text = nullptr;
};
