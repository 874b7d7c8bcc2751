#include "RegKey.h"

#include <utility>

CRegKey::~CRegKey()
{
    Reset();
}

CRegKey::CRegKey(CRegKey&& other) noexcept : m_key(std::exchange(other.m_key, nullptr)) {}

CRegKey& CRegKey::operator=(CRegKey&& other) noexcept
{
    if (this != &other)
    {
        Reset();
        m_key = std::exchange(other.m_key, nullptr);
    }
    return *this;
}

LONG CRegKey::Create(HKEY parent, const std::wstring& path, REGSAM view)
{
    Reset();
    return RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_WRITE | view, nullptr, &m_key, nullptr);
}

LONG CRegKey::Open(HKEY parent, const std::wstring& path, REGSAM access)
{
    Reset();
    return RegOpenKeyExW(parent, path.c_str(), 0, access, &m_key);
}

LONG CRegKey::SetDefaultValue(const std::wstring& value) const
{
    return SetValue(std::wstring(), value);
}

LONG CRegKey::SetValue(const std::wstring& name, const std::wstring& value) const
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(m_key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

void CRegKey::Reset() noexcept
{
    if (HKEY key = std::exchange(m_key, nullptr))
        RegCloseKey(key);
}
