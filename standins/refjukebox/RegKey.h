#pragma once
#include <windows.h>
#include <string>

// Owns an open registry key.
class CRegKey
{
public:
    CRegKey() noexcept = default;
    ~CRegKey();

    CRegKey(CRegKey&& other) noexcept;
    CRegKey& operator=(CRegKey&& other) noexcept;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // Opens or creates parent\path for writing; returns the Win32 error code.
    LONG Create(HKEY parent, const std::wstring& path);
    // Sets the key's default value to a REG_SZ text; returns the Win32 error code.
    LONG SetDefaultValue(const std::wstring& value) const;

    HKEY Get() const noexcept { return m_key; }
    void Reset() noexcept;

private:
    HKEY m_key = nullptr;
};
